// Template and control ids of the order sheet and the quantity entry: the
// host's templates must carry these.
#pragma once

constexpr int kOrderSheetTemplate = 4400;
constexpr int kAddressField = 4401;
constexpr int kFirstFurtherField = 4402;
constexpr int kSecondFurtherField = 4403;
constexpr int kQuantityList = 4404;
constexpr int kItemCodeList = 4405;
constexpr int kItemTextList = 4406;
constexpr int kUnitPriceList = 4407;
constexpr int kLineTotalList = 4408;
constexpr int kOrderScrollBarId = 4409;
constexpr int kCurrencyLabel = 4410;
constexpr int kSurchargeLabel = 4411;
constexpr int kOrderSumLabel = 4412;
constexpr int kSurchargedSumLabel = 4413;
constexpr int kPrintButton = 1;
constexpr int kCloseButton = 2;

// Posted by the sheet to itself for a digit typed in a list; also the entry
// template and its edit field.
constexpr int kDigitCommand = 4414;
constexpr int kEntryTemplate = 4414;
constexpr int kEntryField = 4414;

constexpr int kOrderListIds[] = {kQuantityList, kItemCodeList, kItemTextList, kUnitPriceList,
                                 kLineTotalList};
