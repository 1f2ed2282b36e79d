// Built-in automation scripts. Step fields: window, textId, control, kind,
// subAction, text, delay (tenths of a second), cursor, repeat.
#include "frame/script_directory.h"

namespace {

ScriptStep script0Steps[] = {
    {0, 8511, 0, 1, 0, nullptr, 30, 0, 0},      // 0
    {1, 0, 1002, 4, 0, nullptr, 50, 1, 0},      // 1
    {0, 8513, 0, 1, 0, nullptr, 40, 0, 0},      // 2
    {0, 0, 0, 1, 0, nullptr, 40, 0, 0},         // 3
    {0, 8514, 0, 1, 0, nullptr, 20, 0, 0},      // 4
    {1, 0, 1015, 4, 0, nullptr, 50, 1, 0},      // 5
    {0, 8515, 0, 1, 0, nullptr, 20, 0, 0},      // 6
    {1, 0, 1012, 4, 0, nullptr, 50, 1, 0},      // 7
    {0, 8516, 0, 1, 0, nullptr, 20, 0, 0},      // 8
    {1, 0, 1503, 4, 0, nullptr, 10, 1, 0},      // 9
    {2, 0, 3690, 6, 4, nullptr, 10, 0, 0},      // 10
    {2, 0, 3691, 6, 3, nullptr, 10, 1, 0},      // 11
    {2, 0, 1, 4, 0, nullptr, 60, 0, 0},         // 12
    {1, 0, 1013, 4, 0, nullptr, 0, 0, 0},       // 13
    {1, 0, 1011, 4, 0, nullptr, 0, 0, 0},       // 14
    {0, 8517, 0, 1, 0, nullptr, 20, 0, 0},      // 15
    {1, 0, 1511, 4, 0, nullptr, 30, 1, 0},      // 16
    {2, 0, 4112, 4, 0, nullptr, 5, 1, 0},       // 17
    {2, 0, 4144, 4, 0, nullptr, 5, 1, 0},       // 18
    {2, 0, 4113, 4, 0, nullptr, 5, 1, 0},       // 19
    {2, 0, 4144, 4, 0, nullptr, 5, 1, 0},       // 20
    {2, 0, 4160, 4, 0, nullptr, 5, 1, 0},       // 21
    {2, 0, 4180, 4, 0, nullptr, 5, 1, 0},       // 22
    {2, 0, 4169, 4, 0, nullptr, 5, 1, 0},       // 23
    {2, 0, 4111, 5, 0, "VA", 10, 1, 0},         // 24
    {2, 8501, 4109, 5, 0, nullptr, 10, 1, 0},   // 25
    {2, 0, 4181, 4, 0, nullptr, 10, 1, 0},      // 26
    {2, 0, 4102, 6, 3, nullptr, 10, 1, 0},      // 27
    {2, 0, 1, 4, 0, nullptr, 10, 0, 0},         // 28
    {1, 0, 1503, 4, 0, nullptr, 10, 1, 0},      // 29
    {2, 0, 5208, 4, 0, nullptr, 10, 1, 0},      // 30
    {2, 0, 1, 4, 0, nullptr, 10, 0, 0},         // 31
    {1, 0, 1072, 7, 0, nullptr, 0, 0, 0},       // 32
    {1, 0, 39, 3, 0, nullptr, 0, 0, 10},        // 33
    {0, 8518, 0, 1, 0, nullptr, 20, 0, 0},      // 34
    {1, 0, 1072, 4, 0, nullptr, 30, 1, 0},      // 35
    {2, 8502, 3821, 5, 0, nullptr, 10, 1, 0},   // 36
    {2, 0, 3824, 6, 3, nullptr, 10, 1, 0},      // 37
    {2, 0, 1, 4, 0, nullptr, 50, 0, 0},         // 38
    {1, 0, 1004, 4, 0, nullptr, 0, 0, 0},       // 39
    {2, 0, 7, 4, 0, nullptr, 0, 0, 0},          // 40
    {0, 8545, 0, 1, 0, nullptr, 20, 0, 0},      // 41
    {1, 0, 1001, 4, 0, nullptr, 0, 0, 0},       // 42
    {2, 0, 3002, 5, 0, "DEMO_C.MDF", 0, 1, 0},  // 43
    {2, 0, 1, 4, 0, nullptr, 0, 0, 0},          // 44
    {0, 8546, 0, 1, 0, nullptr, 20, 0, 0},      // 45
    {1, 0, 39, 3, 0, nullptr, 3, 0, 0},         // 46
    {1, 0, 39, 3, 0, nullptr, 3, 0, 0},         // 47
    {1, 0, 39, 3, 0, nullptr, 3, 0, 0},         // 48
    {1, 0, 39, 3, 0, nullptr, 3, 0, 0},         // 49
    {1, 0, 39, 3, 0, nullptr, 3, 0, 0},         // 50
    {0, 8547, 0, 1, 0, nullptr, 20, 0, 0},      // 51
    {1, 0, 1013, 4, 0, nullptr, 40, 0, 0},      // 52
    {0, 8548, 0, 1, 0, nullptr, 20, 0, 0},      // 53
    {1, 0, 1015, 4, 0, nullptr, 60, 0, 0},      // 54
    {1, 0, 1004, 4, 0, nullptr, 0, 0, 0},       // 55
    {0, 8551, 0, 1, 0, nullptr, 20, 0, 0},      // 56
    {1, 0, 1001, 4, 0, nullptr, 0, 0, 0},       // 57
    {2, 0, 3002, 5, 0, "DEMO_C1.MDF", 0, 1, 0}, // 58
    {2, 0, 1, 4, 0, nullptr, 0, 0, 0},          // 59
    {0, 8552, 0, 1, 0, nullptr, 100, 0, 0},     // 60
    {1, 0, 1004, 4, 0, nullptr, 0, 0, 0},       // 61
    {0, 8553, 0, 1, 0, nullptr, 20, 0, 0},      // 62
    {1, 0, 1001, 4, 0, nullptr, 0, 0, 0},       // 63
    {2, 0, 3002, 5, 0, "DEMO_C2.MDF", 0, 1, 0}, // 64
    {2, 0, 1, 4, 0, nullptr, 0, 0, 0},          // 65
    {0, 8554, 0, 1, 0, nullptr, 100, 0, 0},     // 66
    {1, 0, 1004, 4, 0, nullptr, 0, 0, 0},       // 67
};

ScriptStep script3Steps[] = {
    {0, 13011, 0, 0, 0, nullptr, 0, 0, 0},  // 0
    {0, 1, 0, 1, 0, nullptr, 20, 0, 0},     // 1
    {0, 13012, 0, 2, 0, nullptr, 50, 0, 0}, // 2
    {1, 0, 1018, 4, 0, nullptr, 10, 1, 0},  // 3
    {2, 0, 3301, 5, 0, "2000", 20, 1, 0},   // 4
    {2, 0, 1, 4, 0, nullptr, 20, 1, 0},     // 5
};

// The help topics below name the demo host's own commands (main window),
// dialog controls (popups) and texts 13001..13034. Their text steps name no
// control and flash no cursor, so each keeps its own delay.

// Topic 1: a whole measurement, from connecting to printing.
ScriptStep script1Steps[] = {
    {0, 13001, 0, 0, 0, nullptr, 0, 0, 0},       // 0  title
    {0, 13002, 0, 1, 0, nullptr, 40, 0, 0},      // 1
    {0, 13003, 0, 1, 0, nullptr, 20, 0, 0},      // 2
    {1, 0, 1002, 4, 0, nullptr, 30, 1, 0},       // 3  Connect
    {0, 13022, 0, 1, 0, nullptr, 20, 0, 0},      // 4
    {1, 0, 1020, 4, 0, nullptr, 10, 1, 0},       // 5  Range...
    {2, 0, 3401, 6, 4, nullptr, 10, 1, 0},       // 6  automatic ranging off
    {2, 0, 3402, 6, 5, nullptr, 10, 1, 0},       // 7  open the range list
    {2, 0, 3402, 6, 1, nullptr, 5, 0, 1},        // 8  two ranges down
    {2, 0, 3402, 6, 6, nullptr, 10, 0, 0},       // 9  close the list
    {2, 0, 1, 4, 0, nullptr, 20, 1, 0},          // 10 OK
    {0, 13004, 0, 1, 0, nullptr, 20, 0, 0},      // 11
    {1, 0, 1015, 4, 0, nullptr, 30, 1, 0},       // 12 Start
    {1, 0, 1012, 4, 0, nullptr, 30, 0, 0},       // 13 multimeter view
    {0, 13005, 0, 1, 0, nullptr, 20, 0, 0},      // 14
    {1, 0, 1503, 4, 0, nullptr, 10, 1, 0},       // 15 Settings...
    {2, 0, 3693, 6, 5, nullptr, 10, 1, 0},       // 16 open the rate list
    {2, 0, 3693, 6, 2, nullptr, 5, 0, 0},        // 17 a slower rate
    {2, 0, 3693, 6, 6, nullptr, 10, 0, 0},       // 18 close the list
    {2, 0, 3691, 6, 3, nullptr, 10, 1, 0},       // 19 statistics on
    {2, 0, 1, 4, 0, nullptr, 20, 1, 0},          // 20 OK
    {0, 13012, 0, 1, 0, nullptr, 20, 0, 0},      // 21
    {1, 0, 1018, 4, 0, nullptr, 10, 1, 0},       // 22 Readings...
    {2, 8502, 3301, 5, 0, nullptr, 10, 1, 0},    // 23 type 200
    {2, 0, 1, 4, 0, nullptr, 20, 1, 0},          // 24 OK
    {0, 13006, 0, 1, 0, nullptr, 20, 0, 0},      // 25
    {1, 0, 1072, 7, 0, nullptr, 0, 0, 0},        // 26 until Record can be used
    {1, 0, 1072, 4, 0, nullptr, 10, 1, 0},       // 27 Record...
    {2, 0, 3824, 6, 3, nullptr, 10, 1, 0},       // 28 stop when full
    {2, 0, 1, 4, 0, nullptr, 40, 1, 0},          // 29 OK: recording
    {1, 0, 1011, 4, 0, nullptr, 30, 1, 0},       // 30 graph view
    {0, 13007, 0, 1, 0, nullptr, 30, 0, 0},      // 31
    {1, 0, 1004, 4, 0, nullptr, 10, 1, 0},       // 32 Stop: asks about the recording
    {2, 0, 7, 4, 0, nullptr, 10, 1, 0},          // 33 keep it
    {0, 13008, 0, 1, 0, nullptr, 20, 0, 0},      // 34
    {1, 0, 1001, 4, 0, nullptr, 10, 1, 0},       // 35 Save...
    {2, 0, 3002, 5, 0, "TOPIC_1.MDF", 10, 1, 0}, // 36
    {2, 0, 1, 4, 0, nullptr, 20, 1, 0},          // 37 OK
    {0, 13009, 0, 2, 0, nullptr, 30, 0, 0},      // 38
    {1, 0, 1013, 4, 0, nullptr, 20, 1, 0},       // 39 table view
    {1, 0, 36, 3, 0, nullptr, 5, 0, 0},          // 40 Home
    {1, 0, 39, 3, 0, nullptr, 3, 0, 4},          // 41 five readings on
    {0, 13032, 0, 1, 0, nullptr, 20, 0, 0},      // 42
    {1, 0, 1030, 4, 0, nullptr, 10, 1, 0},       // 43 Print...
    {2, 0, 3502, 6, 3, nullptr, 10, 1, 0},       // 44 the table too
    {0, 13034, 0, 1, 0, nullptr, 20, 0, 0},      // 45
    {2, 0, 1, 4, 0, nullptr, 30, 1, 0},          // 46 OK: printed
    {1, 0, 1012, 4, 0, nullptr, 20, 0, 0},       // 47 multimeter view
    {0, 13010, 0, 2, 0, nullptr, 40, 0, 0},      // 48
    {0, 0, 0, 1, 0, nullptr, 10, 0, 0},          // 49 panel cleared
};

// Topic 4, a part of topic 1: automatic or fixed measuring range.
ScriptStep script4Steps[] = {
    {0, 13021, 0, 0, 0, nullptr, 0, 0, 0},  // 0  title
    {0, 13022, 0, 1, 0, nullptr, 30, 0, 0}, // 1
    {1, 0, 1020, 4, 0, nullptr, 10, 1, 0},  // 2  Range...
    {0, 13023, 0, 1, 0, nullptr, 30, 0, 0}, // 3
    {2, 0, 3401, 6, 3, nullptr, 20, 1, 0},  // 4  automatic ranging on
    {0, 13024, 0, 1, 0, nullptr, 20, 0, 0}, // 5
    {2, 0, 3401, 6, 4, nullptr, 10, 1, 0},  // 6  and off again
    {2, 0, 3402, 6, 5, nullptr, 10, 1, 0},  // 7  open the range list
    {2, 0, 3402, 6, 1, nullptr, 5, 0, 2},   // 8  three ranges down
    {2, 0, 3402, 6, 2, nullptr, 5, 0, 0},   // 9  one up
    {2, 0, 3402, 6, 6, nullptr, 10, 0, 0},  // 10 close the list
    {0, 13025, 0, 2, 0, nullptr, 30, 0, 0}, // 11
    {0, 13027, 0, 1, 0, nullptr, 20, 0, 0}, // 12
    {2, 0, 1, 4, 0, nullptr, 20, 1, 0},     // 13 OK
    {0, 13028, 0, 1, 0, nullptr, 30, 0, 0}, // 14
    {0, 13029, 0, 2, 0, nullptr, 20, 0, 0}, // 15
    {0, 13030, 0, 1, 0, nullptr, 20, 0, 0}, // 16
};

// Topic 5, a part of topic 1: printing the graph and the table.
ScriptStep script5Steps[] = {
    {0, 13031, 0, 0, 0, nullptr, 0, 0, 0},  // 0 title
    {0, 13032, 0, 1, 0, nullptr, 30, 0, 0}, // 1
    {1, 0, 1030, 4, 0, nullptr, 10, 1, 0},  // 2 Print...
    {0, 13033, 0, 1, 0, nullptr, 20, 0, 0}, // 3
    {2, 0, 3502, 6, 3, nullptr, 10, 1, 0},  // 4 the table too
    {0, 13034, 0, 1, 0, nullptr, 20, 0, 0}, // 5
    {2, 0, 1, 4, 0, nullptr, 30, 1, 0},     // 6 OK: printed
    {0, 13010, 0, 2, 0, nullptr, 30, 0, 0}, // 7
};

} // namespace

// Cursor flags and repeat counts change as the steps run; they stay changed
// until the module is unloaded, so each shows once per load.
ScriptEntry scriptDirectory[kScriptCount] = {
    {0, -1, 68, script0Steps}, {1, 0, 50, script1Steps}, {3, 1, 6, script3Steps},
    {4, 1, 17, script4Steps},  {5, 1, 8, script5Steps},
};
