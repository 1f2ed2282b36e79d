// The host's help list template and the controls the module works with.
#pragma once

constexpr int kHelpTemplateId = 4420;
constexpr int kHelpListControl = 5371;
constexpr int kProgramHelpButton = 7;
