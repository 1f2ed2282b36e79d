// Painting of what the host shows between its strips once no page is shown:
// the measurement (meter, table or graph view) and the text panel with the
// texts the module's script has the host show.
#pragma once

#include <windows.h>

#include "host/instrument.h"
#include "host/text_panel.h"

void PaintMeasurementView(HDC dc, const RECT& area, const Instrument& instrument);
void PaintTextPanel(HDC dc, const RECT& area, const TextPanel& panel);
