// docs/integration.md against the code: the exports, commands, templates
// with their controls, host texts, script ids and library entry points the
// guide names are the ones the module uses, and its resource fragments
// match its tables. Each failure names the id that drifted.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "code_ids.h"
#include "config/catalogue_format.h"
#include "frame/host_ids.h"
#include "frame/script_directory.h"
#include "frame/script_validation.h"
#include "frame/show_library.h"
#include "help/help_ids.h"
#include "help/help_list.h"
#include "host/text_table.h"
#include "markdown_doc.h"
#include "order/order_ids.h"
#include "port/port_link.h"
#include "print/print_ids.h"
#include "session/dialog_text_map.h"

namespace {

const std::string kSource = BRENK_SOURCE_DIR;
constexpr int kOk = 1;     // IDOK
constexpr int kCancel = 2; // IDCANCEL

using Ids = std::set<long>;

const MarkdownDoc& Guide() {
    static const MarkdownDoc guide(kSource + "/docs/integration.md");
    return guide;
}

// Reports every id found on one side only.
void ExpectSameIds(const Ids& guide, const Ids& other, const std::string& what,
                   const std::string& otherName = "the code") {
    for (long id : other)
        EXPECT_TRUE(guide.count(id))
            << what << ": " << id << " is in " << otherName << ", not in the guide";
    for (long id : guide)
        EXPECT_TRUE(other.count(id))
            << what << ": the guide names " << id << ", " << otherName << " does not";
}

void ExpectSameNames(const std::set<std::string>& guide, const std::set<std::string>& other,
                     const std::string& what, const std::string& otherName = "the code") {
    for (const std::string& name : other)
        EXPECT_TRUE(guide.count(name))
            << what << ": " << name << " is in " << otherName << ", not in the guide";
    for (const std::string& name : guide)
        EXPECT_TRUE(other.count(name))
            << what << ": the guide names " << name << ", " << otherName << " does not";
}

std::set<std::string> DefExports(const std::string& path) {
    std::ifstream in(path);
    EXPECT_TRUE(in) << "cannot read " << path;
    std::set<std::string> names;
    bool inExports = false;
    for (std::string line; std::getline(in, line);) {
        const std::vector<std::string> words = Words(line);
        if (words.empty())
            continue;
        if (words[0] == "EXPORTS")
            inExports = true;
        else if (inExports)
            names.insert(words[0]);
    }
    return names;
}

std::set<std::string> FirstColumnNames(const MarkdownTable* table) {
    std::set<std::string> names;
    if (table)
        for (const auto& row : table->rows)
            names.insert(Plain(row[0]));
    return names;
}

Ids FirstColumnIds(const MarkdownTable* table) {
    Ids ids;
    if (table)
        for (const auto& row : table->rows) {
            const Ids cell = ParseIds(row[0]);
            ids.insert(cell.begin(), cell.end());
        }
    return ids;
}

// --- The code's side ---------------------------------------------------------

Ids DialogMapControls(int key) {
    Ids ids;
    const DialogTextPair* map = FindDialogTextMap(key);
    for (int i = 1; map && i <= ControlTextCount(map); ++i)
        ids.insert(map[i].id);
    return ids;
}

// The text id the module puts into `control` of template `key` (0: none);
// control 0 stands for the caption.
long DialogText(int key, long control) {
    if (control == 0 && key == kPrintingDialogTemplate)
        return kTitleTextId; // set from the title once the dialog is made
    const DialogTextPair* map = FindDialogTextMap(key);
    if (!map)
        return 0;
    if (control == 0)
        return map[0].textId;
    for (int i = 1; i <= ControlTextCount(map); ++i)
        if (map[i].id == control)
            return map[i].textId;
    return 0;
}

std::map<int, Ids> TemplateControlsInCode() {
    std::map<int, Ids> controls;
    Ids sheet = {kAddressField,  kFirstFurtherField, kSecondFurtherField, kOrderScrollBarId,
                 kCurrencyLabel, kSurchargeLabel,    kOrderSumLabel,      kSurchargedSumLabel,
                 kPrintButton,   kCloseButton};
    sheet.insert(std::begin(kOrderListIds), std::end(kOrderListIds));
    controls[kOrderSheetTemplate] = sheet;
    controls[kEntryTemplate] = {kEntryField, kOk, kCancel};
    controls[kHelpTemplateId] = {kHelpListControl, kProgramHelpButton, kOk, kCancel};
    controls[kPrintingDialogTemplate] = {kPrintingProgressBar, kPrintingPageText};
    for (auto& entry : controls) {
        const Ids labels = DialogMapControls(entry.first);
        entry.second.insert(labels.begin(), labels.end());
    }
    return controls;
}

std::vector<const ScriptEntry*> Scripts() {
    std::vector<const ScriptEntry*> scripts;
    for (const ScriptEntry& entry : scriptDirectory)
        scripts.push_back(&entry);
    return scripts;
}

// Every text the module asks the host for through the callback.
Ids FetchedTextIds() {
    Ids ids = {kTitleTextId};
    const Ids page = PageTextIds(), print = PrintTextIds();
    ids.insert(page.begin(), page.end());
    ids.insert(print.begin(), print.end());
    for (int key :
         {kOrderSheetTemplate, kEntryTemplate, kHelpTemplateId, kPrintingDialogTemplate}) {
        const DialogTextPair* map = FindDialogTextMap(key);
        for (int i = 0; map && i <= ControlTextCount(map); ++i)
            if (map[i].textId != 0)
                ids.insert(map[i].textId);
    }
    for (const ScriptEntry* script : Scripts()) {
        if (script->helpLevel >= 0 && HelpTitleTextId(*script) > 0)
            ids.insert(HelpTitleTextId(*script));
        for (int i = 0; i < script->stepCount; ++i) {
            if (script->steps[i].kind == kTypeStep && script->steps[i].text == nullptr)
                ids.insert(script->steps[i].textId);
        }
    }
    return ids;
}

std::string MarkerOf(long id) {
    if (PageTextIds().count(id))
        return "%c or %s";
    if (PrintFieldTextIds().count(id))
        return "%s or %d";
    return "—";
}

// --- The guide's resource fragments --------------------------------------------

struct FragmentControl {
    std::string className;
    std::set<std::string> styles;
};

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Template id -> control id -> class and styles, from every ```rc block.
std::map<int, std::map<long, FragmentControl>> Fragments() {
    static const std::regex dialog(R"(^\s*(\d+)\s+DIALOGEX\b)");
    static const std::regex control(
        R"re(^\s*CONTROL\s+"[^"]*"\s*,\s*(-?\d+)\s*,\s*"([^"]+)"\s*,\s*([^,]+),)re");
    std::map<int, std::map<long, FragmentControl>> templates;
    for (const MarkdownBlock* block : Guide().Blocks("rc")) {
        int current = -1;
        std::istringstream lines(block->text);
        for (std::string line; std::getline(lines, line);) {
            std::smatch match;
            if (std::regex_search(line, match, dialog)) {
                current = std::stoi(match[1]);
                templates[current];
            } else if (std::regex_search(line, match, control) && current >= 0) {
                std::set<std::string> styles;
                for (const std::string& word : Words(match[3].str()))
                    if (word != "|")
                        styles.insert(word);
                templates[current][std::stol(match[1])] = {match[2].str(), styles};
            } else {
                const std::string trimmed = Plain(line);
                EXPECT_TRUE(trimmed.empty() || trimmed.find("CONTROL") == std::string::npos)
                    << "template " << current << ": a control the check cannot read: " << line;
            }
        }
    }
    return templates;
}

// --- The guide's template tables -----------------------------------------------

struct TableControl {
    std::string className;
    std::vector<std::string> required, forbidden;
    std::string text; // host text id, or "—"
};

std::map<int, const MarkdownTable*> TemplateTables() {
    static const std::regex heading(R"(^Template (\d+):)");
    std::map<int, const MarkdownTable*> tables;
    for (const MarkdownTable& table : Guide().tables()) {
        std::smatch match;
        if (std::regex_search(table.heading, match, heading))
            tables[std::stoi(match[1])] = &table;
    }
    return tables;
}

// Row "caption" becomes control 0.
std::map<long, TableControl> TableControls(const MarkdownTable& table) {
    std::map<long, TableControl> controls;
    for (const auto& row : table.rows) {
        EXPECT_GE(row.size(), 4u) << table.heading << ": short row " << row[0];
        if (row.size() < 4)
            continue;
        TableControl control{Plain(row[1]), {}, {}, Plain(row[3])};
        const size_t not_ = row[2].find("not ");
        for (const std::string& style : Words(row[2].substr(0, not_)))
            control.required.push_back(style);
        if (not_ != std::string::npos)
            for (const std::string& style : Words(row[2].substr(not_ + 4)))
                control.forbidden.push_back(style);
        controls[row[0] == "caption" ? 0 : std::stol(row[0])] = control;
    }
    return controls;
}

const std::vector<int> kTemplates = {kOrderSheetTemplate, kEntryTemplate, kHelpTemplateId,
                                     kPrintingDialogTemplate};

// --- The tests ---------------------------------------------------------------------

TEST(IntegrationGuide, ListsTheModulesExportsWithAPrototypeEach) {
    ASSERT_TRUE(Guide().loaded());
    const std::set<std::string> exported = DefExports(kSource + "/resources/brenk_C.def");
    ASSERT_FALSE(exported.empty());
    ExpectSameNames(FirstColumnNames(Guide().Table("2. The exports", "Export")), exported,
                    "exports table", "brenk_C.def");

    const auto headers = Guide().Blocks("c");
    ASSERT_EQ(headers.size(), 1u) << "one C header block";
    static const std::regex declaration(R"(__stdcall\s+(\w+)\s*\()");
    std::set<std::string> declared;
    const std::string& text = headers[0]->text;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), declaration);
         it != std::sregex_iterator(); ++it)
        declared.insert((*it)[1]);
    ExpectSameNames(declared, exported, "prototypes", "brenk_C.def");
}

TEST(IntegrationGuide, CommandsAreTheOnesTheModuleSendsAndTakes) {
    const Ids code = {
        kNextCommand,        kPreviousCommand, kEndCommand,   kOrderSheetCommand,
        kKeyCommand,         kShowTextCommand, kReadyCommand, kReadyAfterCursorCommand,
        kPageProgressCommand};
    const MarkdownTable* table = Guide().Table("5. Messages", "Id");
    ASSERT_NE(table, nullptr) << "no command table under section 5";
    ExpectSameIds(FirstColumnIds(table), code, "WM_COMMAND ids");
}

TEST(IntegrationGuide, TemplateTablesHoldTheControlsAndTextsTheModuleUses) {
    const auto tables = TemplateTables();
    const auto code = TemplateControlsInCode();
    Ids documented;
    for (const auto& entry : tables)
        documented.insert(entry.first);
    ExpectSameIds(documented, Ids(kTemplates.begin(), kTemplates.end()), "dialog templates");

    for (int key : kTemplates) {
        if (!tables.count(key))
            continue;
        const std::map<long, TableControl> controls = TableControls(*tables.at(key));
        Ids ids;
        for (const auto& control : controls)
            if (control.first != 0)
                ids.insert(control.first);
        ExpectSameIds(ids, code.at(key), "template " + std::to_string(key) + " controls");
        EXPECT_TRUE(controls.count(0)) << "template " << key << ": no caption row";
        for (const auto& control : controls) {
            const long expected = DialogText(key, control.first);
            const std::string shown = expected == 0 ? "—" : std::to_string(expected);
            EXPECT_EQ(control.second.text, shown)
                << "template " << key << ", " << (control.first ? "control " : "caption ")
                << control.first << ": host text";
        }
    }
}

TEST(IntegrationGuide, ResourceFragmentsMatchTheirTables) {
    const auto fragments = Fragments();
    const auto tables = TemplateTables();
    for (int key : kTemplates) {
        ASSERT_TRUE(fragments.count(key)) << "no ```rc fragment for template " << key;
        ASSERT_TRUE(tables.count(key));
        const auto& fragment = fragments.at(key);
        const auto controls = TableControls(*tables.at(key));
        Ids inFragment, inTable;
        for (const auto& control : fragment)
            if (control.first != -1)
                inFragment.insert(control.first);
        for (const auto& control : controls)
            if (control.first != 0)
                inTable.insert(control.first);
        ExpectSameIds(inFragment, inTable, "template " + std::to_string(key) + " fragment",
                      "its table");
        for (const auto& entry : controls) {
            if (entry.first == 0 || !fragment.count(entry.first))
                continue;
            const FragmentControl& built = fragment.at(entry.first);
            const std::string where =
                "template " + std::to_string(key) + ", control " + std::to_string(entry.first);
            EXPECT_EQ(Lower(built.className), Lower(entry.second.className)) << where;
            for (const std::string& style : entry.second.required)
                EXPECT_TRUE(built.styles.count(style)) << where << ": fragment lacks " << style;
            for (const std::string& style : entry.second.forbidden)
                EXPECT_FALSE(built.styles.count(style)) << where << ": fragment has " << style;
        }
    }
}

// The host's header, include/brenk_C.h: its named ids by prefix, a pair
// PREFIX..._FIRST / PREFIX..._LAST standing for the range between.
Ids HeaderIds(const std::string& prefix, const std::set<std::string>& leftOut = {}) {
    std::ifstream in(kSource + "/include/brenk_C.h");
    EXPECT_TRUE(in) << "cannot read include/brenk_C.h";
    static const std::regex define(R"(^#define (BRENK_\w+) \(?(-?\d+)\)?)");
    std::map<std::string, long> values;
    for (std::string line; std::getline(in, line);) {
        std::smatch match;
        if (std::regex_search(line, match, define) && match[1].str().rfind(prefix, 0) == 0 &&
            !leftOut.count(match[1]))
            values[match[1]] = std::stol(match[2]);
    }
    Ids ids;
    for (const auto& entry : values) {
        const std::string& name = entry.first;
        if (name.size() > 6 && name.compare(name.size() - 6, 6, "_FIRST") == 0) {
            const std::string last = name.substr(0, name.size() - 6) + "_LAST";
            EXPECT_TRUE(values.count(last)) << name << " without " << last;
            for (long id = entry.second; values.count(last) && id <= values[last]; ++id)
                ids.insert(id);
        } else if (name.size() <= 5 || name.compare(name.size() - 5, 5, "_LAST") != 0) {
            ids.insert(entry.second);
        }
    }
    return ids;
}

TEST(IntegrationGuide, TheHostHeaderNamesTheGuidesIds) {
    Ids commands = HeaderIds("BRENK_CMD_", {"BRENK_CMD_FIRST", "BRENK_CMD_LAST"});
    for (long id : HeaderIds("BRENK_PRINTING_PAGE_COMMAND"))
        commands.insert(id);
    ExpectSameIds(FirstColumnIds(Guide().Table("5. Messages", "Id")), commands, "commands",
                  "brenk_C.h");
    ExpectSameIds(Ids(kTemplates.begin(), kTemplates.end()), HeaderIds("BRENK_TEMPLATE_"),
                  "templates", "brenk_C.h");
    Ids texts = HeaderIds("BRENK_TEXT_");
    for (long mode : HeaderIds("BRENK_TEXT_MODE_"))
        texts.erase(mode);
    ExpectSameIds(FirstColumnIds(Guide().Table("7. Host texts", "Ids")), texts, "host texts",
                  "brenk_C.h");
    Ids controls;
    for (const auto& entry : TemplateControlsInCode())
        controls.insert(entry.second.begin(), entry.second.end());
    for (const char* prefix : {"BRENK_ORDER_", "BRENK_QUANTITY_", "BRENK_HELP_", "BRENK_PRINTING_"})
        for (long id : HeaderIds(
                 prefix, {"BRENK_HELP_NONE", "BRENK_HELP_PROGRAM", "BRENK_PRINTING_PAGE_COMMAND"}))
            EXPECT_TRUE(controls.count(id))
                << "brenk_C.h names control " << id << ", no template of the code has it";
}

TEST(IntegrationGuide, HostTextsAreTheOnesTheModuleAsksForWithTheirMarkers) {
    const MarkdownTable* table = Guide().Table("7. Host texts", "Ids");
    ASSERT_NE(table, nullptr);
    Ids documented;
    for (const auto& row : table->rows) {
        ASSERT_GE(row.size(), 3u);
        for (long id : ParseIds(row[0])) {
            documented.insert(id);
            EXPECT_EQ(Plain(row[2]), MarkerOf(id)) << "host text " << id << ": marker";
        }
    }
    ExpectSameIds(documented, FetchedTextIds(), "host texts the module asks for");
}

TEST(IntegrationGuide, ScriptTablesNameTheScriptsTextsAndTheHostsIds) {
    const MarkdownTable* texts = Guide().Table("5. Messages", "Script");
    ASSERT_NE(texts, nullptr);
    std::map<long, Ids> documented;
    for (const auto& row : texts->rows)
        documented[std::stol(row[0])] = ParseIds(row[1]);
    Ids scriptIds, guideScripts;
    for (const auto& entry : documented)
        guideScripts.insert(entry.first);
    Ids mainCommands, keys, popupControls;
    for (const ScriptEntry* script : Scripts()) {
        scriptIds.insert(script->id);
        Ids shown;
        for (int i = 0; i < script->stepCount; ++i) {
            const ScriptStep& step = script->steps[i];
            if (IsTextKind(step.kind))
                shown.insert(step.textId);
            else if (step.kind == kKeyStep)
                keys.insert(step.control);
            else if (step.window == kMainWindow)
                mainCommands.insert(step.control);
            else
                popupControls.insert(step.control);
        }
        ExpectSameIds(documented[script->id], shown,
                      "texts script " + std::to_string(script->id) + " shows");
    }
    ExpectSameIds(guideScripts, scriptIds, "scripts");

    const MarkdownTable* host = Guide().Table("5. Messages", "Window");
    ASSERT_NE(host, nullptr);
    std::map<std::string, Ids> byWindow;
    for (const auto& row : host->rows)
        byWindow[row[0]] = ParseIds(row[1]);
    ExpectSameIds(byWindow["main window commands"], mainCommands, "main window commands");
    ExpectSameIds(byWindow["key codes (1907)"], keys, "key codes");
    ExpectSameIds(byWindow["controls of the host's popups"], popupControls, "popup controls");
}

TEST(IntegrationGuide, HelpResultsAreTheTopicsTheHelpListOffers) {
    const MarkdownTable* results = Guide().Table("DemoHelp", "Result");
    ASSERT_NE(results, nullptr);
    Ids topics;
    for (const ScriptEntry* script : Scripts())
        if (script->helpLevel >= 0 && HelpTitleTextId(*script) > 0)
            topics.insert(script->id);
    ExpectSameIds(ParseIds(results->rows.at(0).at(0)), topics, "scripts DemoHelp can return");
}

TEST(IntegrationGuide, DemoHostHasEveryTextTheGuideNamesAndItsMarkersAreAllowed) {
    const MarkdownTable* texts = Guide().Table("7. Host texts", "Ids");
    const MarkdownTable* scripts = Guide().Table("5. Messages", "Script");
    ASSERT_TRUE(texts && scripts);
    std::map<long, std::string> markers;
    for (const auto& row : texts->rows)
        for (long id : ParseIds(row[0]))
            markers[id] = Plain(row[2]);
    Ids shown;
    for (const auto& row : scripts->rows) {
        const Ids ids = ParseIds(row[1]);
        shown.insert(ids.begin(), ids.end());
    }
    for (const auto& entry : markers)
        EXPECT_NE(HostText(static_cast<unsigned>(entry.first)), nullptr)
            << "the demo host has no text " << entry.first;
    for (long id : shown) {
        if (id <= 1)
            continue; // 0 and 1 are no texts: they clear the host's text area
        EXPECT_NE(HostText(static_cast<unsigned>(id)), nullptr)
            << "the demo host has no text " << id << " for the scripts";
    }

    size_t count = 0;
    const HostTextEntry* table = HostTextTable(&count);
    static const std::regex marker("%[a-z]");
    for (size_t i = 0; i < count; ++i) {
        std::string text = std::regex_replace(std::string(table[i].text), std::regex("%%"), "");
        std::smatch found;
        if (!std::regex_search(text, found, marker) || !markers.count(table[i].id))
            continue;
        EXPECT_NE(markers[table[i].id].find(found.str()), std::string::npos)
            << "demo host text " << table[i].id << " carries " << found.str()
            << ", the guide allows " << markers[table[i].id];
    }
}

TEST(IntegrationGuide, LibrariesAndNamesAreTheOnesTheModuleUses) {
    const auto entryTables = Guide().TablesUnder("8. The show library");
    ASSERT_EQ(entryTables.size(), 2u) << "one table per library";
    const std::set<std::string> show = {kShowStartEntry, kShowGoEntry, kShowStopEntry,
                                        kShowPaintEntry, kShowButtonEntry};
    const std::set<std::string> port = {kSetPortEntry, kClosePortEntry};
    ExpectSameNames(FirstColumnNames(entryTables[0]), show, "show library entry points");
    ExpectSameNames(FirstColumnNames(entryTables[1]), port, "interface library entry points");
    ExpectSameNames(FirstColumnNames(entryTables[0]),
                    DefExports(kSource + "/standins/pavlo/PAVLO.def"), "show library entry points",
                    "PAVLO.def of the stand-in");
    ExpectSameNames(FirstColumnNames(entryTables[1]),
                    DefExports(kSource + "/standins/fennik/FENNIK.def"),
                    "interface library entry points", "FENNIK.def of the stand-in");
    for (const auto& row : entryTables[0]->rows) {
        if (Plain(row[0]) != kShowStartEntry)
            continue;
        for (long id : {static_cast<long>(kShowControl), static_cast<long>(kShowButton)})
            EXPECT_NE(row[2].find(std::to_string(id)), std::string::npos)
                << "Istart is called with " << id;
    }

    const std::set<std::string> names = {kPortLibraryName, kShowLibraryName, kShowScriptName,
                                         kCatalogueFileName, kShowClassName};
    ExpectSameNames(FirstColumnNames(Guide().Table("Where the module looks", "Name")), names,
                    "files and names the module uses");
}

} // namespace
