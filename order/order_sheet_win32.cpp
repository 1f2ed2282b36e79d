#include "order/order_sheet.h"

// The order sheet dialog is not built yet: the command is accepted and
// nothing opens.
void ShowOrderSheet() {}
