#pragma once
// The lead and trail bytes of the system's ANSI code page, for the path helpers.
#include "platform/sjis.h"

namespace tovel {

// Read from the system once: lead bytes as the system names them; trail bytes as code page 932 defines
// them there, and 0x40-0xFE but 0x7F in the other double-byte code pages.
const LeadByteTable& SystemLeadBytes();

}  // namespace tovel
