#include "platform/win32/system_code_page.h"

#include <windows.h>

namespace tovel {

const LeadByteTable& SystemLeadBytes() {
    static const LeadByteTable table = [] {
        if (GetACP() == 932) return LeadByteTable::ShiftJis();
        bool lead[256] = {}, trail[256] = {};
        bool any = false;
        for (int b = 0; b < 256; ++b) {
            lead[b] = IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(b)) != 0;
            any = any || lead[b];
            trail[b] = b >= 0x40 && b <= 0xFE && b != 0x7F;
        }
        return any ? LeadByteTable(lead, trail) : LeadByteTable::SingleByte();
    }();
    return table;
}

}  // namespace tovel
