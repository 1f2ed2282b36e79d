#include "host/instrument.h"

#include <algorithm>
#include <cmath>

const int kReadingRates[kReadingRateCount] = {1, 2, 5, 10, 20, 50};
const char* const kRangeNames[kRangeCount] = {"2 V", "20 V", "200 V", "600 V", "1000 V"};

namespace {

constexpr unsigned long kReconnectMs = 2000;
constexpr std::size_t kKeptReadings = 2000;
constexpr int kGraphReadings = 400;
constexpr int kKeyEnd = 35, kKeyHome = 36, kKeyLeft = 37, kKeyRight = 39;

} // namespace

void Instrument::Connect(unsigned long now) {
    connected = true;
    reconnectUntil = 0;
    (void)now;
}

void Instrument::Start(unsigned long now) {
    connected = true;
    measuring = true;
    readings.clear();
    // A saved recording is safe in its file; an unsaved one stays until Stop asks.
    if (recordingSaved)
        recorded.clear();
    cursor = 0;
    startedAt_ = now;
    nextReadingAt_ = now;
}

void Instrument::Stop() {
    measuring = false;
    recording = false;
}

bool Instrument::NeedsStopConfirmation() const {
    return !recorded.empty() && !recordingSaved;
}

void Instrument::DiscardRecording() {
    recorded.clear();
    recording = false;
    recordingSaved = false;
    cursor = 0;
}

void Instrument::StartRecording(unsigned long now, int count, bool stopAtCount) {
    if (!measuring)
        Start(now);
    recorded.clear();
    recording = true;
    recordingSaved = false;
    recordTarget = count > 0 ? count : 0;
    stopWhenFull = stopAtCount;
    cursor = 0;
}

void Instrument::ChangeInterfaceSpeed(bool fast, unsigned long now) {
    if (fast == fastInterface)
        return;
    fastInterface = fast;
    if (connected)
        reconnectUntil = now + kReconnectMs;
}

bool Instrument::CanSave() const {
    return !recorded.empty() || !readings.empty();
}

SavedFile Instrument::Save(const std::string& name) {
    SavedFile file{name, 0};
    if (!recorded.empty() && !recordingSaved) {
        file.readings = recorded.size();
        recordingSaved = true;
    } else {
        file.readings = recorded.empty() ? readings.size() : recorded.size();
    }
    files.push_back(file);
    return file;
}

// A mains voltage and a load current that drift slowly, so the views move.
Reading Instrument::Sample(unsigned long sinceStart) const {
    const double t = sinceStart / 1000.0;
    const double volts = 230.0 + 3.0 * std::sin(t * 0.9) + 0.8 * std::sin(t * 5.3);
    const double amps = 4.8 + 1.1 * std::sin(t * 0.37) + 0.15 * std::sin(t * 7.1);
    return Reading{sinceStart, volts, amps};
}

bool Instrument::Advance(unsigned long now) {
    bool changed = false;
    if (reconnectUntil != 0 && now >= reconnectUntil) {
        reconnectUntil = 0;
        changed = true;
    }
    if (!measuring || Reconnecting())
        return changed;
    const unsigned long interval = 1000ul / static_cast<unsigned long>(kReadingRates[rateIndex]);
    while (now >= nextReadingAt_) {
        const Reading reading = Sample(nextReadingAt_ - startedAt_);
        nextReadingAt_ += interval;
        readings.push_back(reading);
        if (readings.size() > kKeptReadings)
            readings.erase(readings.begin());
        if (recording) {
            recorded.push_back(reading);
            if (stopWhenFull && recordTarget > 0 &&
                recorded.size() >= static_cast<std::size_t>(recordTarget))
                recording = false;
        }
        changed = true;
    }
    return changed;
}

const std::vector<Reading>& Instrument::Shown() const {
    return recorded.empty() ? readings : recorded;
}

void Instrument::MoveCursor(int keyCode, int firstVisible) {
    const int last = static_cast<int>(Shown().size()) - 1;
    // Keys move from what the view shows, not from a reading scrolled away.
    cursor = std::max(cursor, firstVisible);
    if (keyCode == kKeyRight)
        ++cursor;
    else if (keyCode == kKeyLeft)
        --cursor;
    else if (keyCode == kKeyHome)
        cursor = 0;
    else if (keyCode == kKeyEnd)
        cursor = last;
    cursor = std::max(0, std::min(cursor, last));
}

int Instrument::FirstVisible() const {
    if (view != ViewMode::Graph)
        return 0;
    return std::max(0, static_cast<int>(Shown().size()) - kGraphReadings);
}

double FormulaValue(const Formula& formula, const Reading& reading) {
    double value = 1.0;
    bool any = false;
    if (formula.text.find('U') != std::string::npos) {
        value *= reading.volts;
        any = true;
    }
    if (formula.text.find('I') != std::string::npos) {
        value *= reading.amps;
        any = true;
    }
    if (formula.text.find('k') != std::string::npos)
        value *= formula.factor;
    return any ? value : 0.0;
}

VoltStatistics StatisticsOf(const std::vector<Reading>& readings) {
    if (readings.empty())
        return VoltStatistics{0, 0, 0};
    VoltStatistics s{readings[0].volts, readings[0].volts, 0};
    for (const Reading& r : readings) {
        s.minimum = std::min(s.minimum, r.volts);
        s.maximum = std::max(s.maximum, r.volts);
        s.mean += r.volts;
    }
    s.mean /= static_cast<double>(readings.size());
    return s;
}
