#include "code_ids.h"

#include "print/order_page.h"

std::set<long> PrintTextIds() {
    std::set<long> ids = {kLeftHeadingText, kRightHeadingText,    kFirstFieldText, kSecondFieldText,
                          kBelowHeadText,   kBelowHeadSecondText, kDateLabelText,  kBelowDateText,
                          kTotalText,       kSurchargedTotalText};
    for (long column = 0; column < 5; ++column)
        ids.insert(kFirstHeadingText + column);
    return ids;
}

std::set<long> PrintFieldTextIds() {
    return {kFirstFieldText, kSecondFieldText};
}
