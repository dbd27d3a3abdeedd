#include "model_library/data/ClerkRam.h"

#include <iterator>

#include "common/CaptionCell.h"
#include "model_library/data/OptionLists.h"
#include "platform/TextCodec.h"

namespace {

// "CLERK.ECR": count word, a system block of 2 bytes, then the clerks.
constexpr int SYSTEM_BLOCK_SIZE = 2;
constexpr int SYSTEM_BITS = 0;  // bit 0 SYSTEM, 2 EACH TRANSACT, 3 AUTO SIGN OFF, 4-5 CLERK CHANGE;
                                // bits 1, 6, 7 and the byte after it are kept

// Clerk record, 28 bytes.
constexpr int CLERK_RECORD_SIZE = 28;
constexpr int CLERK_REC_NAME = 0;       // text 18
constexpr int CLERK_REC_TYPE = 18;      // byte 19 is kept
constexpr int CLERK_REC_PASS_CODE = 20; // word, 4 packed digits
constexpr int CLERK_REC_RATE = 22;      // word, 4 packed digits
constexpr int CLERK_REC_HALO = 24;
constexpr int CLERK_REC_LALO = 25;
constexpr int CLERK_REC_RIGHTS1 = 26;   // bits: CONDITION CLEAR ... ALL VOID
constexpr int CLERK_REC_RIGHTS2 = 27;   // bits 0-4: NEGATIVE ENTRY ... EXTRA INVOICE; bits 5-7 kept

const TableDef kSystemTable{500, L"CLERK SYSTEM SETTING", 1, -1, 2};
const FieldDef kSystemFields[] = {
    {L"SYSTEM", 501, 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 1, 0, LIST2_ACTIVE},
    {L"CLERK CHANGE", 506, 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 3, 0, LIST4_CLERK_CHG},
    {L"EACH TRANSACT", 503, 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 1, 0, LIST2_YESNO},
    {L"AUTO SIGN OFF", 504, 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 1, 0, LIST2_YESNO},
};
const FieldPlace kSystemPlaces[] = {Bits(SYSTEM_BITS, 0), Bits(SYSTEM_BITS, 4, 2), Bits(SYSTEM_BITS, 2),
                                    Bits(SYSTEM_BITS, 3)};

// A yes/no right of the clerk, shown as OK or NO.
constexpr FieldDef Right(const wchar_t* caption, uint32_t id) {
  return {caption, id, 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 1, 0, LIST2_OKNO};
}

const TableDef kClerkTable{600, L"CLERK SETTING", CClerkRam::CAPACITY, -1, 98};
const FieldDef kClerkFields[] = {
    {L"NAME", 601, 0x2400, 18, INPUT_EDIT, CHECK_NONE, 0, 0, 0, NO_LIST},
    {L"TYPE", 602, 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 2, 0, LIST3_C_TYPE},
    {L"PASS CODE", 603, 0x2B02, 4, INPUT_EDIT, CHECK_OWNER, 0, 0, 0, NO_LIST},
    {L"RATE", 604, 0x2902, 4, INPUT_EDIT, CHECK_RANGE, 0, 9999, 0, NO_LIST},
    {L"HALO", 605, 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 7, 0, LIST8_HALO},
    {L"LALO", 606, 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 7, 0, LIST8_LALO},
    Right(L"CONDITION CLEAR", 607),
    Right(L"(+/-)1", 608),
    Right(L"(+/-)2", 609),
    Right(L"%1", 610),
    Right(L"%2", 611),
    Right(L"RETURN", 612),
    Right(L"VOID", 613),
    Right(L"ALL VOID", 614),
    Right(L"NEGATIVE ENTRY", 615),
    Right(L"NEGATIVE TOTAL", 616),
    Right(L"TAX EXEMPTION", 617),
    Right(L"PO", 618),
    Right(L"EXTRA INVOICE", 619),
};
const FieldPlace kClerkPlaces[] = {
    Bytes(CLERK_REC_NAME),       Bytes(CLERK_REC_TYPE),       Bytes(CLERK_REC_PASS_CODE),  Bytes(CLERK_REC_RATE),
    Bytes(CLERK_REC_HALO),       Bytes(CLERK_REC_LALO),       Bits(CLERK_REC_RIGHTS1, 0),  Bits(CLERK_REC_RIGHTS1, 1),
    Bits(CLERK_REC_RIGHTS1, 2),  Bits(CLERK_REC_RIGHTS1, 3),  Bits(CLERK_REC_RIGHTS1, 4),  Bits(CLERK_REC_RIGHTS1, 5),
    Bits(CLERK_REC_RIGHTS1, 6),  Bits(CLERK_REC_RIGHTS1, 7),  Bits(CLERK_REC_RIGHTS2, 0),  Bits(CLERK_REC_RIGHTS2, 1),
    Bits(CLERK_REC_RIGHTS2, 2),  Bits(CLERK_REC_RIGHTS2, 3),  Bits(CLERK_REC_RIGHTS2, 4),
};
static_assert(std::size(kSystemPlaces) == std::size(kSystemFields), "one place per system field");
static_assert(std::size(kClerkPlaces) == std::size(kClerkFields), "one place per clerk field");

const RecordFileLayout kLayout{CClerkRam::FILE_NAME, SYSTEM_BLOCK_SIZE, kSystemPlaces, SYSTEM_BLOCK_SIZE,
                               CLERK_RECORD_SIZE, kClerkPlaces, CClerkRam::CAPACITY, true};

// Caption 10 of the table captions: the characters a pass code may hold.
constexpr int32_t CAPTION_PASS_CODE_CHARACTERS = 10;

bool IsHexDigitText(const wchar_t* text) {
  for (wchar_t ch : platform::ToUpper(text ? text : L"")) {
    if (!((ch >= L'0' && ch <= L'9') || (ch >= L'A' && ch <= L'F'))) return false;
  }
  return true;
}

}  // namespace

CClerkRam::CClerkRam()
    : CRecordListRam(L"CLERK", 7, kLayout, kSystemTable, kSystemFields, static_cast<int>(std::size(kSystemFields)),
                     kClerkTable, kClerkFields, static_cast<int>(std::size(kClerkFields))) {}

int CClerkRam::CheckValue(CheckReq* request) {
  if (!request || request->pTable != &RecordTable() || request->nField != PASS_CODE_FIELD) return 1;
  if (IsHexDigitText(request->pszText)) return 1;
  if (request->pstrMessage)
    *request->pstrMessage = CaptionTextOr(WND_TABLE_CAPTIONS, CAPTION_PASS_CODE_CHARACTERS, L"0-9,A,B,C,D,E,F");
  return 0;
}
