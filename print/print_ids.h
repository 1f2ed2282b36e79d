// The host's printing dialog template, its controls beside the cancel button
// (1) and the label (31236), and the command that shows the page progress.
#pragma once

constexpr int kPrintingDialogTemplate = 3031;
constexpr int kPrintingProgressBar = 3032;
constexpr int kPrintingPageText = 3033;

// Sent to the printing dialog at the start of every page: page number in the
// low and page count in the high word of lParam.
constexpr int kPageProgressCommand = 7100;
