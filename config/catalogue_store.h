// Filling a `Catalogue` from a catalogue file the way the module shows it:
// currency digits, expiry by the local date, lines, display order and texts
// that fall back to the default language.
#pragma once

#include "config/catalogue.h"
#include "config/catalogue_clock.h"
#include "config/catalogue_reader.h"
#include "config/regional.h"

// Reads the file into `target`, whose text blocks (when made) receive the
// item texts; `regional` may get the currency digits of the currency text.
// True when the whole file was read; on false `target` holds what was read
// before the fault.
bool ReadCatalogueInto(File& file, Catalogue& target, RegionalNumberSettings& regional,
                       CatalogueFault* fault);

// Empties `target`, reads the file into it and, when that fails, empties it
// again and gives `regional` its currency digits back: a catalogue is shown
// whole or not at all.
bool LoadCatalogueFrom(File& file, Catalogue& target, RegionalNumberSettings& regional,
                       CatalogueFault* fault);

// The same for a catalogue of one's own.
void EmptyCatalogue(Catalogue& target);

// Prices stay valid only while the stored date lies after today: year, then
// month, then day.
bool CatalogueDateLiesAfter(const CatalogueDate& stored, const LocalDate& today);
