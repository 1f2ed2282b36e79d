// The host's English texts, kept as (id, text) data sorted by id.
//
// Every text fits the smallest buffer the module offers for it (99 bytes for
// titles, script and print texts), so nothing the module shows is cut short.
// Print texts are used as format strings: a literal percent sign would have
// to be written "%%", and 8303/8304 carry the one "%s" they are formatted with.
#include "host/text_table.h"

#include <algorithm>
#include <cstring>

namespace {

const HostTextEntry kHostTexts[] = {
    // The demonstration's title: window caption, print job name.
    {6145, "brenk_C Demonstration"},

    // Labels of the printed order sheet.
    {8301, "Supplier"},
    {8302, "Orderer"},
    {8303, "Customer number: %s"},
    {8304, "Order reference: %s"},
    {8305, "ORDER"},
    {8306, "We order the following items:"},
    {8307, "Date:"},
    {8308, "Signature:"},
    {8309, "Qty"},
    {8310, "Code"},
    {8311, "Description"},
    {8312, "Unit price"},
    {8313, "Total"},
    {8314, "Sum"},
    {8315, "Sum incl. surcharge"},

    // Page 1 of the presentation.
    {8318, "Prices in %s: the order sheet lists every item of the current price list."},

    // Texts the scripts type into dialog fields.
    {8501, "1.0"},
    {8502, "200"},

    // The guided tour of the main script.
    {8511, "Welcome! The program now runs by itself and takes a measurement from start to finish."},
    {8512, "First the program looks for an instrument on the interface port."},
    {8513,
     "The instrument is connected: the program found it on the interface port and knows its type."},
    {8514, "To take readings, start the measurement with the Start command."},
    {8515, "The readings arrive continuously; the live display shows them like a multimeter face."},
    {8516, "In the settings you decide how the program works together with the instrument."},
    {8517,
     "From the readings the program can calculate new quantities, here an apparent power in VA."},
    {8518, "Now the readings are recorded: 200 values, one after the other, kept in memory."},
    {8519, "Every reading carries the time it was taken, to the hundredth of a second."},
    {8520, "The status line shows the instrument's range, its battery and the interface speed."},
    {8521, "Minimum, maximum and average are updated with every new reading."},
    {8522, "A limit can be set for every quantity; readings beyond it are marked in red."},
    {8523, "The graph draws the recorded values over time and scales itself automatically."},
    {8524, "Drag across the graph to zoom into a part of the recording."},
    {8525, "Cursors in the graph read off single values and the difference between two points."},
    {8526, "Several instruments can be recorded side by side, each on its own port."},
    {8527, "Recording can start at a fixed time, or when a reading crosses a trigger level."},
    {8528, "Long recordings run unattended; the program saves them safely while they grow."},
    {8529, "The instrument's own memory can be read out into the program as well."},
    {8530, "Memory cards written by the instrument are converted into ordinary data files."},
    {8531, "Power-quality analysers add voltage, current, power and harmonics to the display."},
    {8532, "Harmonics are shown as a bar chart up to the fiftieth order."},
    {8533, "Events such as dips, swells and interruptions are listed with their duration."},
    {8534, "Reports combine graph, table and statistics on a printed page."},
    {8535, "Any table can be copied to a spreadsheet with a single command."},
    {8536, "Data files keep all settings, so a measurement can be repeated exactly."},
    {8537, "Files from older versions of the program open without conversion."},
    {8538, "The language of the program can be changed at any time in the settings."},
    {8539, "Units and number formats follow the regional settings of your computer."},
    {8540, "Calculated quantities are stored with the file and recalculated on loading."},
    {8541, "Keyboard shortcuts reach every command without the mouse."},
    {8542, "The help topics show single tasks step by step, just like this tour."},
    {8543, "The order sheet lists accessories and instruments with current prices."},
    {8544, "Prices and order numbers are always those of the price list on file."},
    {8545, "A recording is best kept in a data file: we save it as DEMO_C.MDF."},
    {8546, "With the arrow keys you move through the recorded values one by one."},
    {8547, "The table view lists every recorded value together with its time."},
    {8548, "A new measurement can be started at any time with the same command."},
    {8549, "The previous recording stays safe in its file while the new one runs."},
    {8550, "Stop the measurement whenever enough readings have been taken."},
    {8551, "Each measurement can get a file of its own: this one becomes DEMO_C1.MDF."},
    {8552,
     "Saved. Open the files later from the File menu to compare the measurements at your desk."},
    {8553, "The same readings can be kept under a second name as well: DEMO_C2.MDF."},
    {8554,
     "That was the tour. Choose Help topics at any time to see single steps again. Thank you!"},

    // Help topics: a title, then the texts its script shows.
    {13001, "Measuring and saving, step by step"},
    {13002, "Connect the instrument to the interface port and switch it on."},
    {13003, "Choose Connect: the program finds the instrument by itself."},
    {13004, "Start the measurement; the readings appear at once."},
    {13005, "Open the settings to change how often readings are taken."},
    {13006, "Start the recording to keep the readings in memory."},
    {13007, "Stop the recording when you have enough readings."},
    {13008, "Save the recording: type a file name and confirm with OK."},
    {13009, "The file can be opened again at any time from the File menu."},
    {13010, "This ends the topic. Choose another one or go on working."},
    {13011, "Changing the number of readings"},
    {13012, "Type the number of readings you need and confirm with OK."},
    {13013, "The recording stops by itself once that number is reached."},
    {13014, "A larger number needs more memory and a longer recording time."},
    {13015, "The number is kept with the data file."},
    {13016, "Enter 0 to record until you stop the measurement yourself."},
    {13017, "The remaining number of readings is shown in the status line."},
    {13018, "Changes take effect with the next recording."},
    {13019, "The settings dialog shows the largest number the memory allows."},
    {13020, "This ends the topic."},
    {13021, "Choosing the measuring range"},
    {13022, "Open the instrument settings from the Instrument menu."},
    {13023, "Choose automatic ranging to let the instrument pick the range."},
    {13024, "Or select a fixed range from the list for steady readings."},
    {13025, "A fixed range avoids range changes during a recording."},
    {13026, "Readings beyond the range are shown as overload."},
    {13027, "Confirm with OK: the instrument switches at once."},
    {13028, "The chosen range is shown in the status line."},
    {13029, "The range is saved with the data file."},
    {13030, "This ends the topic."},
    {13031, "Printing the readings"},
    {13032, "Choose Print from the File menu and select the printer."},
    {13033, "Choose whether the graph, the table or both are printed."},
    {13034, "Confirm with OK: the report is printed with the file's name and date."},

    // Dialog captions and labels.
    {23012, "Cancel"},
    {23070, "Help topics"},
    {23098, "Cancel"},
    {23099, "The order sheet is being printed..."},
    {23110, "Close"},
    {23355, "Show"},
    {23356, "Program help"},
    {23357, "Choose a topic and the program will show it to you:"},
    {23358, "Order sheet"},
    {23359, "Print"},
    {23360, "Quantity"},
    {23361, "Code"},
    {23362, "Description"},
    {23363, "Unit price"},
    {23364, "Line total"},
    {23365, "Your address:"},
    {23366, "Customer number:"},
    {23367, "Order reference:"},
    {23368, "Prices in:"},
    {23369, "Surcharge:"},
    {23370, "Sum:"},
    {23371, "Sum incl. surcharge:"},
};

constexpr std::size_t kHostTextCount = sizeof(kHostTexts) / sizeof(kHostTexts[0]);

} // namespace

const char* HostText(unsigned id) {
    const HostTextEntry* end = kHostTexts + kHostTextCount;
    const HostTextEntry* found =
        std::lower_bound(kHostTexts, end, id,
                         [](const HostTextEntry& entry, unsigned key) { return entry.id < key; });
    if (found == end || found->id != id) {
        return nullptr;
    }
    return found->text;
}

void CopyHostText(unsigned id, char* buffer, int bufferSize) {
    if (buffer == nullptr || bufferSize < 1) {
        return;
    }
    const char* text = HostText(id);
    std::size_t length = text != nullptr ? std::strlen(text) : 0;
    length = std::min(length, static_cast<std::size_t>(bufferSize - 1));
    if (length > 0) {
        std::memcpy(buffer, text, length);
    }
    buffer[length] = '\0';
}

const HostTextEntry* HostTextTable(std::size_t* count) {
    if (count != nullptr) {
        *count = kHostTextCount;
    }
    return kHostTexts;
}
