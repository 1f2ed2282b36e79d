// The five list columns of the order sheet, line by line.
#pragma once

#include <windows.h>

constexpr int kOrderLineSize = 64;

// Fills the five lists with one line per item; returns how many lines have
// a quantity.
int FillOrderLists(HWND dialog);

// Replaces line `item` of list `listId` with " " and `columnText`, keeping
// its place.
void ReplaceOrderLine(HWND dialog, int listId, int item, const char* columnText);

// Column texts of one item: quantity and line total are empty while the
// item is not ordered or the prices are not valid.
void QuantityColumnText(HWND dialog, int item, char* out);
void LineTotalColumnText(HWND dialog, int item, const char* mask, char* out);

bool IsOrderItem(int item);
