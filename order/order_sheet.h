// The order sheet dialog over the price catalogue.
#pragma once

// Runs the order sheet modally over the host window until it is closed.
void ShowOrderSheet();
