#include "support/IPv4.h"

#include <gtest/gtest.h>

namespace {

TEST(IPv4Test, AcceptsAndRefusesLikeTheMigrationForm) {
    const std::pair<std::wstring, bool> cases[] = {
        {L"192.168.1.10", true},  {L" 10.0.0.1 ", true},   {L"0.0.0.0", true},        {L"00.1.2.3", true},
        {L"255.255.255.255", true},
        {L"192.168.01.1", false}, {L"1.2.3", false},       {L"1.2.3.4.5", false},     {L"1..2.3", false},
        {L"1.2.3.", false},       {L"256.1.1.1", false},   {L"1.2.3.4a", false},      {L".1.2.3", false},
        {L"   ", false},          {L"", false},            {L"1.2. 3.4", false},      {L"\t1.2.3.4", false},
        {L"1.2.3.4\n", false},    {L"-1.2.3.4", false},    {L"99999999999.1.1.1", false},
    };
    for (const auto& [text, valid] : cases) {
        EXPECT_EQ(IsValidIPv4(text), valid) << std::wstring(text);
    }
}

TEST(IPv4Test, LengthLimitAppliesAfterTrimming) {
    // "000…0.0.0.0" is a valid address by the digit rules (every part is zero); only its length decides.
    const std::wstring shortest99 = std::wstring(93, L'0') + L".0.0.0";  // 99 units
    EXPECT_TRUE(IsValidIPv4(L"  " + shortest99 + L"  "));
    EXPECT_FALSE(IsValidIPv4(L"0" + shortest99));  // 100 units
}

}  // namespace
