// The simulated instrument behind the demo host's commands: connection,
// measurement, recording, saved files and the settings the dialogs change.
// Time comes in from the caller (milliseconds), so it runs the same in tests.
#pragma once

#include <string>
#include <vector>

struct Reading {
    unsigned long time; // milliseconds since the measurement began
    double volts;
    double amps;
};

struct SavedFile {
    std::string name;
    std::size_t readings;
};

enum class ViewMode { Meter, Table, Graph };

// Readings per second the settings offer; the range list's ranges.
extern const int kReadingRates[];
constexpr int kReadingRateCount = 6;
extern const char* const kRangeNames[];
constexpr int kRangeCount = 5;

struct Formula {
    std::string text; // as keyed, e.g. "U × I × k"
    std::string name; // "S" once kept
    std::string unit;
    double factor = 1.0;
    bool showInMeter = false;
};

class Instrument {
  public:
    // Connect re-detects the instrument when already connected.
    void Connect(unsigned long now);
    void Start(unsigned long now);
    // Stop the measurement; a recording in progress stops too.
    void Stop();
    // An unsaved recording: Stop asks before it may be discarded.
    bool NeedsStopConfirmation() const;
    void DiscardRecording();
    void StartRecording(unsigned long now, int count, bool stopWhenFull);
    // A new interface speed takes a short reconnection.
    void ChangeInterfaceSpeed(bool fast, unsigned long now);
    // Saves the recording if there is one, else the measured readings.
    bool CanSave() const;
    SavedFile Save(const std::string& name);
    // Takes the readings due by `now`; true when anything changed.
    bool Advance(unsigned long now);

    bool CanRecord() const { return connected && !Reconnecting() && !recording; }
    bool Reconnecting() const { return reconnectUntil != 0; }
    // What the views show: the recording once there is one, else the readings.
    const std::vector<Reading>& Shown() const;
    // A key code (arrows, Home, End) moves the reading cursor; it starts
    // from `firstVisible` when it lies before it.
    void MoveCursor(int keyCode, int firstVisible = 0);
    // The first reading the current view shows (the graph shows the latest 400).
    int FirstVisible() const;

    bool connected = false;
    bool measuring = false;
    bool recording = false;
    bool recordingSaved = false;
    int recordTarget = 0;
    bool stopWhenFull = false;
    unsigned long reconnectUntil = 0;
    int rateIndex = 5; // 50 readings per second
    bool autoRange = true;
    int rangeIndex = 1;
    bool beep = true;
    bool statistics = false;
    bool fastInterface = false;
    int readingsDefault = 100;
    ViewMode view = ViewMode::Meter;
    int cursor = 0; // index into Shown()
    Formula formula;
    std::string printed; // what the last print contained, empty before
    std::vector<SavedFile> files;
    std::vector<Reading> readings;
    std::vector<Reading> recorded;

  private:
    Reading Sample(unsigned long sinceStart) const;
    unsigned long startedAt_ = 0;
    unsigned long nextReadingAt_ = 0;
};

// Value of the calculated quantity for a reading.
double FormulaValue(const Formula& formula, const Reading& reading);
// Minimum, maximum and mean of the volts of `readings` (all 0 when empty).
struct VoltStatistics {
    double minimum, maximum, mean;
};
VoltStatistics StatisticsOf(const std::vector<Reading>& readings);
