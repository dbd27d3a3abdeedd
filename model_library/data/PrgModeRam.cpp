#include "model_library/data/PrgModeRam.h"

#include <cmath>
#include <cwchar>
#include <cwctype>

#include "common/CaptionCell.h"
#include "model_library/data/OptionLists.h"
#include "model_library/data/TableDef.h"

namespace {

// Layout of "PRG_MODE.ECR" (2376 bytes). Bytes between the entries, and bits
// of the option bytes that no field names, are kept as read.
constexpr int OFS_HALF_PINT = 0;            // 5 records of 12 bytes: name, rate, level, 1 kept
constexpr int HALF_PINT_STRIDE = 12;
constexpr int OFS_IN_STORE_MARKING = 60;    // 30 records of 8 bytes
constexpr int IN_STORE_MARKING_STRIDE = 8;
constexpr int MARKING_DIGIT_COUNT = 2;      // in a record: hexadecimal digits of "FLAG CODE", set on save
constexpr int OFS_REGISTER_NUMBER = 300;    // 4 packed digits
constexpr int OFS_TAX_SYSTEM = 303;
constexpr int OFS_TAX_RATES = 304;          // 4 rates of 4 packed digits
constexpr int OFS_PAYMENT_MEDIA = 312;      // 9 records of 16 bytes
constexpr int PAYMENT_MEDIA_STRIDE = 16;
constexpr int OFS_FOREIGN_CURRENCY = 456;   // 4 rows of 18 bytes
constexpr int OFS_PERCENT1 = 528;           // bits, 1 kept, preset rate, limit rate
constexpr int OFS_PERCENT2 = 534;
constexpr int OFS_PLUS_MINUS1 = 540;        // bits, HALO, amount
constexpr int OFS_PLUS_MINUS2 = 546;
constexpr int OFS_NO_SALE = 552;            // bits
constexpr int OFS_TARE = 556;               // 9 weights of 4 packed digits
constexpr int OFS_RECEIPT_PRINT = 576;      // 24 option bits
constexpr int OFS_INVOICE_PRINT = 580;      // 25 option bits
constexpr int OFS_ORDER_RECEIPT = 584;      // 3 option bits
constexpr int OFS_FINANCIAL_REPORT = 586;   // 10 option bits
constexpr int OFS_RECEIPT_STYLE = 588;      // 17 option bits
constexpr int OFS_GENERAL = 592;            // 4 bytes of option bits, page and price shift
constexpr int OFS_TRACKING = 598;           // 11 option bits
constexpr int OFS_REPORT = 600;             // 9 option bits, then 15 whole bytes
constexpr int OFS_KITCHEN_PRINTER = 624;
constexpr int OFS_BOTTLE_RETURN = 626;      // field 1 (4 bytes), then flag code
constexpr int OFS_DATE_TIME_FORMAT = 634;
constexpr int OFS_GENERAL_UNIT_WEIGHT = 637;
constexpr int OFS_LINK_PLU = 639;           // 50 PLU codes of 8 bytes
constexpr int OFS_Z_REPORT = 1039;          // 10 rows of 5 report numbers
constexpr int OFS_STORE_MESSAGES = 1089;    // 7 texts of 24
constexpr int OFS_ADVERTISEMENTS = 1257;    // 5 texts of 24
constexpr int OFS_EQUAL_PAYMENT = 1377;     // 4 texts of 24
constexpr int OFS_EXTRA_INVOICE = 1473;     // 4 texts of 24
constexpr int OFS_COOKING = 1569;           // 20 rows of two texts of 20
constexpr int OFS_DATE_TIME_ADJUSTMENT = 2369;  // 6 bytes, then 1 kept
static_assert(OFS_DATE_TIME_ADJUSTMENT + 7 == static_cast<int>(CPrgModeRam::IMAGE_SIZE), "layout fills the image");

constexpr int OWN_ROWS = -1;

// A yes/no style option of one byte, chosen with option buttons.
constexpr FieldDef Option(const wchar_t* caption, uint32_t id, ListRef list, double max = 1) {
  return {caption, id, 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, max, 0, list};
}
constexpr FieldDef YesNo(const wchar_t* caption, uint32_t id) { return Option(caption, id, LIST2_YESNO); }
constexpr FieldDef Message(const wchar_t* caption, uint32_t id, int width) {
  return {caption, id, 0x2400, width, INPUT_EDIT, CHECK_NONE, 0, 0, 0, NO_LIST};
}

const FieldDef kHalfPintFields[] = {
    Message(L"NAME", 2501, 6),
    {L"RATE", 2502, 0x2904, 6, INPUT_EDIT, CHECK_RANGE, 0, 999999, 0, NO_LIST},
    {L"LEVEL", 2503, 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 2, 0, LIST3_P_LEVEL},
};
const FieldDef kLinkPluFields[] = {
    {L"FREE CODE", 2601, 0x2B08, 14, INPUT_EDIT, CHECK_RANGE, 0, 99999999999999.0, 0, NO_LIST},
};
const FieldDef kInStoreMarkingFields[] = {
    {L"FLAG CODE", 2801, 0x2B02, 3, INPUT_EDIT, CHECK_RANGE, 0, 999, 0, NO_LIST},
    {L"FIELD1", 2803, 0x2801, 1, INPUT_LIST, CHECK_OWNER, 0, 4, 0, LIST5_FIELD1},
    {L"FIELD2", 2804, 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 3, 0, LIST4_FIELD2},
    {L"CHECK DIGIT", 2805, 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 1, 0, LIST2_C_DIGIT},
    {L"MULTI UNIT", 2806, 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 3, 0, LIST4_M_UNIT},
    {L"FC", 2807, 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 4, 0, LIST5_FC},
};
const FieldDef kGeneralUnitWeightFields[] = {
    {L"WEIGHT", 2901, 0x2B02, 4, INPUT_EDIT, CHECK_OWNER, 0, 9999, 0, NO_LIST},
};
const FieldDef kTaxRateFields[] = {
    {L"TAX1", 3001, 0x2B02, 4, INPUT_EDIT, CHECK_RANGE, 0, 9999, 0, NO_LIST},
    {L"TAX2", 3002, 0x2B02, 4, INPUT_EDIT, CHECK_RANGE, 0, 9999, 0, NO_LIST},
    {L"TAX3", 3003, 0x2B02, 4, INPUT_EDIT, CHECK_RANGE, 0, 9999, 0, NO_LIST},
    {L"TAX4", 3004, 0x2B02, 4, INPUT_EDIT, CHECK_RANGE, 0, 9999, 0, NO_LIST},
};
const FieldDef kTaxSystemFields[] = {
    {L"SYSTEM", 3101, 0x2A01, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 1, 0, LIST2_TAX_SYS},
};
const FieldDef kPaymentMediaFields[] = {
    Message(L"NAME", 3201, 12),
    Option(L"DRAWER", 3202, LIST2_DRAWER),
    Option(L"OVER TENDER", 3203, LIST2_OKNO),
    Option(L"SHORT TENDER", 3204, LIST2_OKNO),
    YesNo(L"SUBTOTAL REQUIRE", 3205),
    YesNo(L"AMT TEND REQUIRE", 3206),
    YesNo(L"NON ADD# REQUIRE", 3207),
    Option(L"PAYMENT TRANS", 3208, LIST2_OKNO),
    {L"HALO", 3209, 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 7, 0, LIST8_HALO},
    {L"LALO", 3210, 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 7, 0, LIST8_LALO},
};
const FieldDef kForeignCurrencyFields[] = {
    Message(L"NAME", 3301, 12),
    {L"D.P FOR RATE", 3302, 0x2801, 1, INPUT_EDIT, CHECK_RANGE, 0, 8, 0, NO_LIST},
    {L"D.P FOR CONV AMT", 3303, 0x2801, 1, INPUT_EDIT, CHECK_RANGE, 0, 3, 0, NO_LIST},
    {L"EXCHANGE RATE", 3304, 0x2B04, 6, INPUT_EDIT, CHECK_RANGE, 0, 999999, 0, NO_LIST},
};
const FieldDef kPercentFields[] = {
    Option(L"SIGN", 3401, LIST2_SIGN),
    Option(L"TAX STATUS", 3402, LIST2_TAX_STAT),
    {L"PRESET RATE", 3403, 0x2902, 4, INPUT_EDIT, CHECK_RANGE, 0, 9999, 0, NO_LIST},
    {L"LIMIT RATE", 3404, 0x2902, 4, INPUT_EDIT, CHECK_RANGE, 0, 9999, 0, NO_LIST},
};
const FieldDef kPlusMinusFields[] = {
    Option(L"SIGN", 3601, LIST2_SIGN),
    Option(L"TAX STATUS", 3602, LIST2_TAX_STAT),
    {L"HALO", 3603, 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 7, 0, LIST8_HALO},
    {L"AMOUNT", 3604, 0x2904, 8, INPUT_EDIT, CHECK_RANGE, 0, 99999999, 0, NO_LIST},
};
const FieldDef kNoSaleFields[] = {
    Option(L"[NS]KEY", 3801, LIST2_ACTIVE),
    Option(L"DRAWER", 3802, LIST2_DRAWER),
    Option(L"RECEIPT", 3803, LIST2_PRINT),
    Option(L"EJ STORE", 3804, LIST2_EJSTORE),
    YesNo(L"CONS# UPDATE", 3805),
    YesNo(L"NON-ADD# ALLOW", 3806),
};
const FieldDef kTareFields[] = {
    {L"WEIGHT", 3901, 0x2902, 4, INPUT_EDIT, CHECK_OWNER, 0, 9999, 0, NO_LIST},
};
const FieldDef kStoreMessageFields[] = {Message(L"MESSAGE", 4001, 24)};
const FieldDef kAdvertisementFields[] = {Message(L"MESSAGE", 4101, 24)};
const FieldDef kReceiptPrintFields[] = {
    YesNo(L"HEADER", 4201),        YesNo(L"FOOTER", 4202),
    YesNo(L"GRAPH HEADER", 4203),  YesNo(L"GRAPH FOOTER", 4204),
    YesNo(L"DATE", 4205),          YesNo(L"TIME", 4206),
    YesNo(L"CLERK NAME", 4207),    YesNo(L"REG#", 4208),
    YesNo(L"CONS#", 4209),         YesNo(L"FREE CODE", 4210),
    YesNo(L"PLU UNIT", 4211),      YesNo(L"DEPT GRP NAME", 4212),
    YesNo(L"OFFERT", 4213),        YesNo(L"ITEM COUNT", 4214),
    YesNo(L"TAKE OUT MESS", 4215), YesNo(L"TAX SYMBOL", 4216),
    Option(L"TAX POSITION", 4217, LIST2_TAX_POS),
    YesNo(L"TAX AMT", 4218),       YesNo(L"TL TAX AMT", 4219),
    YesNo(L"W/O TAX", 4220),       YesNo(L"TL W/O TAX", 4221),
    YesNo(L"WITH TAX", 4222),      YesNo(L"TL WITH TAX", 4223),
    Option(L"EXTRA INVOICE", 4224, LIST2_PRINT),
};
const FieldDef kInvoicePrintFields[] = {
    YesNo(L"HEADER", 4301),        YesNo(L"FOOTER", 4302),
    YesNo(L"GRAPH HEADER", 4303),  YesNo(L"GRAPH FOOTER", 4304),
    YesNo(L"DATE", 4305),          YesNo(L"TIME", 4306),
    YesNo(L"CLERK NAME", 4307),    YesNo(L"REG#", 4308),
    YesNo(L"CONS#", 4309),         YesNo(L"GUEST#", 4310),
    YesNo(L"FREE CODE", 4311),     YesNo(L"UNIT PRICE", 4312),
    YesNo(L"DEPT GRP NAME", 4313), YesNo(L"DEPT GRP NAME ON PROFORMA", 4314),
    YesNo(L"OFFERT", 4315),        YesNo(L"ITEM COUNT", 4316),
    YesNo(L"TAKE OUT MESS", 4317), YesNo(L"TAX SYMBOL", 4318),
    Option(L"TAX POSITION", 4319, LIST2_TAX_POS),
    YesNo(L"TAX AMT", 4320),       YesNo(L"TL TAX AMT", 4321),
    YesNo(L"W/O TAX", 4322),       YesNo(L"TL W/O TAX", 4323),
    YesNo(L"WITH TAX", 4324),      YesNo(L"TL WITH TAX", 4325),
};
const FieldDef kOrderReceiptFields[] = {
    YesNo(L"CONS#", 4401), YesNo(L"UNIT PRICE", 4402), YesNo(L"SEPARATE", 4403),
};
const FieldDef kFinancialReportFields[] = {
    YesNo(L"HEADER", 4501),  YesNo(L"Z COUNT", 4502),       YesNo(L"GT", 4503),
    YesNo(L"RETURN", 4504),  YesNo(L"VOID/EC", 4505),       YesNo(L"NO-SALE", 4506),
    YesNo(L"RATION", 4507),  YesNo(L"PLU STOCK QTY", 4508), YesNo(L"POWER COUNT", 4509),
    YesNo(L"CLEAR COUNT", 4510),
};
constexpr FieldDef Style(const wchar_t* caption, uint32_t id) { return Option(caption, id, LIST2_REC_STYLE); }
const FieldDef kReceiptStyleFields[] = {
    Option(L"RECEIPT", 4601, LIST2_COMPRESS),
    Style(L"ORDER RECEIPT", 4602), Style(L"TICKET", 4618),      Style(L"SALES TOTAL", 4603),
    Style(L"PAY MEDIA", 4604),     Style(L"CHANGE AMT", 4605),  Style(L"ALL VOID", 4606),
    Style(L"TABLE#", 4607),        Style(L"GUEST#", 4608),      Style(L"OLD BALANCE", 4609),
    Style(L"NEW BALANCE", 4610),   Style(L"INVOICE", 4611),     Style(L"REVIEW", 4612),
    Style(L"TBL SEPARATE", 4613),  Style(L"TBL CHANGE", 4614),  Style(L"TBL GATHER", 4615),
    Style(L"EXTRA INVOICE", 4616),
};
const FieldDef kGeneralOptionFields[] = {
    Option(L"EJ STORE", 4701, LIST2_EJSTORE_G),
    YesNo(L"HEAD/FOOT STORE EJ", 4724),
    YesNo(L"EJ STORE TO SD", 4719),
    YesNo(L"CUSTOMER DATA ENT", 4725),
    Option(L"MULTI REC", 4702, LIST2_ACTIVE),
    Option(L"CONS# UPDATE", 4703, LIST2_TRAN),
    YesNo(L"CONS# UP REG ONLY", 4704),
    YesNo(L"CONS# UP ORDER REC", 4705),
    Option(L"ZERO PRICE", 4706, LIST2_OKNO),
    Option(L"TWICE[X]", 4707, LIST2_TWICE),
    Option(L"ST DECO.", 4708, LIST2_LIMIT),
    Option(L"NON-ADD # LIMIT", 4709, LIST2_LIMIT),
    Option(L"POST TENDER", 4710, LIST2_ACTIVE),
    Option(L"ITM ODR TYPE", 4720, LIST2_ITMODR_T),
    Option(L"ORDER OUT", 4721, LIST2_ODR_OUT),
    YesNo(L"ORDER REC W/O TBL", 4711),
    Option(L"SCALE WEIGHT TYPE", 4712, LIST2_WEIGHT_T),
    Option(L"MANUAL WEIGHT", 4713, LIST2_OKNO),
    YesNo(L"TAX SYMBOL DISPLAY", 4714),
    YesNo(L"CHECK DIGIT", 4715),
    Option(L"KEY TONE", 4716, LIST2_SOUND),
    Option(L"LCD DISPLAY", 4722, LIST2_LCD_DISP),
    YesNo(L"BTL RTN", 4723),
    Option(L"PAGE SHIFT", 4717, LIST3_SHIFT, 2),
    Option(L"PRICE SHIFT", 4718, LIST3_SHIFT, 2),
};
const FieldDef kTrackingFields[] = {
    YesNo(L"TBL# COMPULSORY", 4801),    YesNo(L"GUEST COMPULSORY", 4802),
    YesNo(L"2ND TBL COMPULSORY", 4803), YesNo(L"PAY CHANGE", 4804),
    YesNo(L"TBL# AUTO INC", 4805),      YesNo(L"TBL# RESET AFTER Z", 4806),
    YesNo(L"EXCLUSIVE", 4807),          YesNo(L"NB RECEIPT PRINT", 4810),
    Option(L"INVOICE PRINT", 4811, LIST2_INV_P),
    Option(L"INVOICE TIMING", 4813, LIST2_INV_T),
    Option(L"INVOICE FORMAT", 4812, LIST2_INV_F),
};
constexpr FieldDef Output(const wchar_t* caption, uint32_t id) { return Option(caption, id, LIST3_SD_PRT, 2); }
const FieldDef kReportOptionFields[] = {
    YesNo(L"MONEY DECLARATION", 4901), YesNo(L"ZERO SKIP", 4902),
    YesNo(L"Z1 CNT RESET", 4903),      YesNo(L"Z2 CNT RESET", 4904),
    YesNo(L"GT CLEAR", 4905),          YesNo(L"REC CONS# RESET", 4906),
    YesNo(L"INV CONS# RESET", 4907),   YesNo(L"TRAINING CONS# RESET", 4908),
    Option(L"PRINT STYLE", 4909, LIST2_COMPRESS),
    Output(L"FINANCIAL", 4910),     Output(L"ALL CLERK", 4911),    Output(L"DPT/PLU CLERK", 4912),
    Output(L"ALL DEPT", 4913),      Output(L"ALL PLU", 4914),      Output(L"URGENT PLU", 4915),
    Output(L"HOURLY", 4916),        Output(L"OPEN TABLE", 4917),   Output(L"EJ", 4918),
    Output(L"FINANCIAL GT", 4919),  Output(L"ALL CLERK GT", 4920), Output(L"ALL DEPT GT", 4921),
    Output(L"ALL PLU GT", 4922),    Output(L"ALL T.CLERK", 4923),  Output(L"ALL T.CLERK GT", 4924),
};
const FieldDef kExtraInvoiceFields[] = {Message(L"MESSAGE", 5001, 24)};
const FieldDef kEqualPaymentFields[] = {Message(L"MESSAGE", 5101, 24)};
const FieldDef kCookingFields[] = {Message(L"LINE#1", 5201, 20), Message(L"LINE#2", 5202, 20)};
const FieldDef kRegisterNumberFields[] = {
    {L"REG#", 5301, 0x2902, 4, INPUT_EDIT, CHECK_RANGE, 0, 9999, 0, NO_LIST},
};
const FieldDef kDateTimeFormatFields[] = {
    Option(L"DATE FORMAT", 5401, LIST3_DATE, 2),
    Option(L"MONTH NAME", 5402, LIST2_CHAR),
    Option(L"TIME FORMAT", 5403, LIST2_TIME),
};
const FieldDef kDateTimeAdjustmentFields[] = {
    {L"YEAR", 5501, 0x2A01, 2, INPUT_EDIT, CHECK_OWNER, 0, 99, 0, NO_LIST},
    {L"MONTH", 5502, 0x2801, 2, INPUT_EDIT, CHECK_OWNER, 1, 12, 0, NO_LIST},
    {L"DAY", 5503, 0x2801, 2, INPUT_EDIT, CHECK_OWNER, 1, 31, 0, NO_LIST},
    {L"HOUR", 5504, 0x2A01, 2, INPUT_EDIT, CHECK_RANGE, 0, 23, 0, NO_LIST},
    {L"MINUTE", 5505, 0x2A01, 2, INPUT_EDIT, CHECK_RANGE, 0, 59, 0, NO_LIST},
    {L"SECOND", 5506, 0x2A01, 2, INPUT_EDIT, CHECK_RANGE, 0, 59, 0, NO_LIST},
};
const FieldDef kBottleReturnFields[] = {
    {L"FLAG CODE#", 6002, 0x2901, 2, INPUT_EDIT, CHECK_RANGE, 1, 99, 0, NO_LIST},
    {L"FIELD1", 6001, 0x2904, 5, INPUT_EDIT, CHECK_RANGE, 0, 99999, 0, NO_LIST},
};
constexpr FieldDef Report(const wchar_t* caption, uint32_t id) {
  return {caption, id, 0x2901, 2, INPUT_EDIT, CHECK_OWNER, 0, 24, 0, NO_LIST};
}
const FieldDef kZReportFields[] = {
    Report(L"REPORT#1", 5701), Report(L"REPORT#2", 5702), Report(L"REPORT#3", 5703),
    Report(L"REPORT#4", 5704), Report(L"REPORT#5", 5705),
};
const FieldDef kKitchenPrinterFields[] = {
    {L"ACTIVE", 5901, 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 1, 0, LIST2_KP_PRINT},
};

// A table: its descriptor data and where its rows are: at an image offset,
// or OWN_ROWS for rows copied in and out (see kCopiedLayouts).
struct PrgTableDef {
  TableDef def;
  const FieldDef* pFields;
  int nFieldCount;
  int nImageOffset;
};
template <int N>
constexpr PrgTableDef Table(uint32_t id, const wchar_t* caption, int rows, const FieldDef (&fields)[N],
                            int imageOffset) {
  return {{id, caption, rows, -1, 2}, fields, N, imageOffset};
}

const PrgTableDef kTables[CPrgModeRam::TABLE_COUNT] = {
    Table(2500, L"HALF PINT 1 SETTING", 1, kHalfPintFields, OFS_HALF_PINT),
    Table(2510, L"HALF PINT 2 SETTING", 1, kHalfPintFields, OFS_HALF_PINT + HALF_PINT_STRIDE),
    Table(2520, L"HALF PINT 3 SETTING", 1, kHalfPintFields, OFS_HALF_PINT + 2 * HALF_PINT_STRIDE),
    Table(2530, L"HALF PINT 4 SETTING", 1, kHalfPintFields, OFS_HALF_PINT + 3 * HALF_PINT_STRIDE),
    Table(2540, L"HALF PINT 5 SETTING", 1, kHalfPintFields, OFS_HALF_PINT + 4 * HALF_PINT_STRIDE),
    Table(2600, L"LINK PLU TABLE SETTING", 50, kLinkPluFields, OFS_LINK_PLU),
    Table(2800, L"IN STORE MARKING SET", 30, kInStoreMarkingFields, OWN_ROWS),
    Table(2900, L"GENERAL UNIT WEIGHT", 1, kGeneralUnitWeightFields, OFS_GENERAL_UNIT_WEIGHT),
    Table(3000, L"TAX RATE SETTINGT", 1, kTaxRateFields, OFS_TAX_RATES),
    Table(3100, L"TAX SYSTEM SETTING", 1, kTaxSystemFields, OFS_TAX_SYSTEM),
    Table(3200, L"PAYMENT MEDIA KEY SET", 9, kPaymentMediaFields, OWN_ROWS),
    Table(3300, L"FOREGIN CURRENCY SET", 4, kForeignCurrencyFields, OFS_FOREIGN_CURRENCY),
    Table(3400, L"[%1]KEY SETTING", 1, kPercentFields, OWN_ROWS),
    Table(3500, L"[%2]KEY SETTING", 1, kPercentFields, OWN_ROWS),
    Table(3600, L"[(+/-)1]KEY SETTING", 1, kPlusMinusFields, OWN_ROWS),
    Table(3700, L"[(+/-)2]KEY SETTING", 1, kPlusMinusFields, OWN_ROWS),
    Table(3800, L"[NS]KEY SETTING", 1, kNoSaleFields, OWN_ROWS),
    Table(3900, L"[TARE]KEY SETTING", 9, kTareFields, OFS_TARE),
    Table(4000, L"STORE MESSAGE SETTING", 7, kStoreMessageFields, OFS_STORE_MESSAGES),
    Table(4100, L"ADVERTISEMENT MES. SET", 5, kAdvertisementFields, OFS_ADVERTISEMENTS),
    Table(4200, L"RECEIPT PRINT OPTIONS", 1, kReceiptPrintFields, OWN_ROWS),
    Table(4300, L"INVOICE PRINT OPTIONS", 1, kInvoicePrintFields, OWN_ROWS),
    Table(4400, L"ORDER REC. PRINT OPT.", 1, kOrderReceiptFields, OWN_ROWS),
    Table(4500, L"FINANCIAL REP. PRT OPT", 1, kFinancialReportFields, OWN_ROWS),
    Table(4600, L"RECEIPT STYLE OPTIONS", 1, kReceiptStyleFields, OWN_ROWS),
    Table(4700, L"GENERAL OPTIONS", 1, kGeneralOptionFields, OWN_ROWS),
    Table(4800, L"TRACKING OPTIONS", 1, kTrackingFields, OWN_ROWS),
    Table(4900, L"REPORT OPTIONS", 1, kReportOptionFields, OWN_ROWS),
    Table(5000, L"EXTRA INVOICE MES. SET", 4, kExtraInvoiceFields, OFS_EXTRA_INVOICE),
    Table(5100, L"EQUAL PAYMENT MES. SET", 4, kEqualPaymentFields, OFS_EQUAL_PAYMENT),
    Table(5200, L"COOKING MESSAGE SET", 20, kCookingFields, OFS_COOKING),
    Table(5300, L"REGISTER NUMBER SET", 1, kRegisterNumberFields, OFS_REGISTER_NUMBER),
    Table(5400, L"DATE/TIME FORMAT SET", 1, kDateTimeFormatFields, OFS_DATE_TIME_FORMAT),
    Table(5500, L"DATE/TIME ADJUSTMENT SET", 1, kDateTimeAdjustmentFields, OFS_DATE_TIME_ADJUSTMENT),
    Table(6000, L"BOTTLE RETURN", 1, kBottleReturnFields, OWN_ROWS),
    Table(5700, L"Z REPORT COMBINATION", 10, kZReportFields, OFS_Z_REPORT),
    Table(5900, L"KITCHEN PRINTER ACT.", 1, kKitchenPrinterFields, OFS_KITCHEN_PRINTER),
};

// Where the fields of the copied tables live in the image.
const PlaceRun kMarkingRuns[] = {{0, 1, 0, WHOLE_VALUES}, {1, 5, 3, WHOLE_VALUES}};
const PlaceRun kPaymentMediaRuns[] = {{0, 1, 0, WHOLE_VALUES}, {1, 7, 12, 0}, {8, 2, 14, WHOLE_VALUES}};
const PlaceRun kPercentRuns[] = {{0, 2, 0, 0}, {2, 2, 2, WHOLE_VALUES}};
const PlaceRun kPlusMinusRuns[] = {{0, 2, 0, 0}, {2, 2, 1, WHOLE_VALUES}};
const PlaceRun kNoSaleRuns[] = {{0, 6, 0, 0}};
const PlaceRun kReceiptPrintRuns[] = {{0, 24, 0, 0}};
const PlaceRun kInvoicePrintRuns[] = {{0, 25, 0, 0}};
const PlaceRun kOrderReceiptRuns[] = {{0, 3, 0, 0}};
const PlaceRun kFinancialReportRuns[] = {{0, 10, 0, 0}};
const PlaceRun kReceiptStyleRuns[] = {{0, 17, 0, 0}};
const PlaceRun kGeneralRuns[] = {
    {0, 1, 0, 0},              // "EJ STORE": byte 0 bit 0
    {2, 1, 0, 1},              // "EJ STORE TO SD": byte 0 bit 1
    {4, 6, 0, 2},              // "MULTI REC" to "TWICE[X]": byte 0 bits 2 to 7
    {10, 8, 1, 0},             // "ST DECO." to "MANUAL WEIGHT": byte 1
    {18, 1, 2, 0},             // "TAX SYMBOL DISPLAY": byte 2 bit 0
    {19, 4, 2, 3},             // "CHECK DIGIT" to "BTL RTN": byte 2 bits 3 to 6
    {1, 1, 3, 6},              // "HEAD/FOOT STORE EJ": byte 3 bit 6
    {3, 1, 3, 7},              // "CUSTOMER DATA ENT": byte 3 bit 7
    {23, 2, 4, WHOLE_VALUES},  // "PAGE SHIFT", "PRICE SHIFT"
};
const PlaceRun kTrackingRuns[] = {{0, 8, 0, 0}, {8, 3, 1, 0}};
const PlaceRun kReportRuns[] = {{0, 8, 0, 0}, {8, 1, 1, 0}, {9, 15, 2, WHOLE_VALUES}};
const PlaceRun kBottleReturnRuns[] = {{1, 1, 0, WHOLE_VALUES}, {0, 1, 4, WHOLE_VALUES}};

const CopiedLayout kCopiedLayouts[] = {
    Copied(6, OFS_IN_STORE_MARKING, IN_STORE_MARKING_STRIDE, kMarkingRuns),
    Copied(10, OFS_PAYMENT_MEDIA, PAYMENT_MEDIA_STRIDE, kPaymentMediaRuns),
    Copied(12, OFS_PERCENT1, 0, kPercentRuns),
    Copied(13, OFS_PERCENT2, 0, kPercentRuns),
    Copied(14, OFS_PLUS_MINUS1, 0, kPlusMinusRuns),
    Copied(15, OFS_PLUS_MINUS2, 0, kPlusMinusRuns),
    Copied(16, OFS_NO_SALE, 0, kNoSaleRuns),
    Copied(20, OFS_RECEIPT_PRINT, 0, kReceiptPrintRuns),
    Copied(21, OFS_INVOICE_PRINT, 0, kInvoicePrintRuns),
    Copied(22, OFS_ORDER_RECEIPT, 0, kOrderReceiptRuns),
    Copied(23, OFS_FINANCIAL_REPORT, 0, kFinancialReportRuns),
    Copied(24, OFS_RECEIPT_STYLE, 0, kReceiptStyleRuns),
    Copied(25, OFS_GENERAL, 0, kGeneralRuns),
    Copied(26, OFS_TRACKING, 0, kTrackingRuns),
    Copied(27, OFS_REPORT, 0, kReportRuns),
    Copied(34, OFS_BOTTLE_RETURN, 0, kBottleReturnRuns),
};

// Report numbers that cannot be combined into a Z report.
constexpr int kUncombinableReports[] = {1, 4, 8, 11, 12, 14, 15, 16, 20, 21, 22};
constexpr int kDaysInMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

enum { F_YEAR, F_MONTH, F_DAY };
constexpr int F_MARKING_FIELD1 = 1;
constexpr int MARKING_ROWS_WITH_LONG_FIELD1 = 20;  // rows 0 to 19: 2 to 4 digits; the others 0 to 1

// Hexadecimal digits needed to print the value (1 for 0).
uint8_t HexDigits(unsigned value) {
  uint8_t digits = 1;
  while (value >>= 4) ++digits;
  return digits;
}

// The text as a whole decimal number, blanks around it allowed.
bool WholeNumber(const wchar_t* text, long& value) {
  if (!text) return false;
  wchar_t* end = nullptr;
  value = std::wcstol(text, &end, 10);
  if (end == text || !std::iswdigit(end[-1])) return false;
  while (std::iswspace(*end)) ++end;
  return *end == L'\0';
}

bool IsLeapYear(int year) { return year % 4 == 0; }

int DaysInMonth(int month, int year) {
  return (month == 2 && IsLeapYear(year)) ? 29 : kDaysInMonth[month - 1];
}

}  // namespace

CPrgModeRam::CPrgModeRam() : CSettingsRam(L"PRG MODE", 4) {
  for (int t = 0; t < TABLE_COUNT; ++t) {
    const PrgTableDef& def = kTables[t];
    BuildTable(m_aTables[t], def.def, def.pFields, def.nFieldCount, nullptr, this);
    stTable_t& table = m_aTables[t];
    if (def.nImageOffset == OWN_ROWS) {
      m_aOwnRows[t].assign(static_cast<size_t>(table.nRecordCount) * table.nRecordSize, 0);
      table.pRows = m_aOwnRows[t].data();
    } else {
      table.pRows = m_abImage + def.nImageOffset;
    }
  }
}

int CPrgModeRam::SetFolder(const wchar_t* folder) { return SetUpFolder(folder, FILE_NAME); }

int CPrgModeRam::Load(const wchar_t* folder) {
  if (!ReadImage(folder, m_abImage, IMAGE_SIZE)) return 0;
  Unpack();
  return m_bLoaded;
}

int CPrgModeRam::Save(const wchar_t* folder) {
  Pack();
  return WriteImage(folder, m_abImage, IMAGE_SIZE);
}

int CPrgModeRam::GetTableCount() { return TABLE_COUNT; }

stTable_t* CPrgModeRam::GetTable(int index) {
  return (index >= 0 && index < TABLE_COUNT) ? &m_aTables[index] : nullptr;
}

void CPrgModeRam::Unpack() {
  for (const CopiedLayout& layout : kCopiedLayouts) CopyIn(m_aTables[layout.nTable], layout, m_abImage);
}

void CPrgModeRam::Pack() {
  for (const CopiedLayout& layout : kCopiedLayouts) CopyOut(m_aTables[layout.nTable], layout, m_abImage);
  const stTable_t& marking = m_aTables[T_IN_STORE_MARKING];
  for (int row = 0; row < marking.nRecordCount; ++row) {
    const uint8_t* code = FieldValue(marking, row, 0);
    m_abImage[OFS_IN_STORE_MARKING + row * IN_STORE_MARKING_STRIDE + MARKING_DIGIT_COUNT] =
        HexDigits(code[0] | code[1] << 8);
  }
}

int CPrgModeRam::CheckValue(CheckReq* request) {
  if (!request) return 0;
  const stTable_t* table = request->pTable;
  if (table == &m_aTables[T_DATE_TIME_ADJUSTMENT]) return CheckDate(request);
  if (table == &m_aTables[T_TARE] || table == &m_aTables[T_GENERAL_UNIT_WEIGHT]) return CheckWeight(request);
  if (table == &m_aTables[T_Z_REPORT_COMBINATION]) return CheckReportCombination(request);
  if (IsFieldOf(request, m_aTables[T_IN_STORE_MARKING], F_MARKING_FIELD1)) return CheckMarkingField1(request);
  return 1;
}

// The date is checked as a whole with the entered part in place. A month or
// day still 0 (never set) is not held against the entry, so that a date can
// be entered part by part into an empty file.
int CPrgModeRam::CheckDate(CheckReq* request) {
  if (request->nField < F_YEAR || request->nField > F_DAY) return 1;
  const stTable_t& table = m_aTables[T_DATE_TIME_ADJUSTMENT];
  const stField_t& field = table.aFields[request->nField];
  const std::wstring wrongDate = CaptionTextOr(WND_TABLE_CAPTIONS, 20, L"The setting at the date is wrong");
  const double entered = std::trunc(request->dValue);
  if (!(entered >= field.dMin && entered <= field.dMax))
    return Refuse(request, request->nField == F_YEAR ? RangeMessage(field.dMin, field.dMax) : wrongDate);

  int date[3] = {*FieldValue(table, 0, F_YEAR), *FieldValue(table, 0, F_MONTH), *FieldValue(table, 0, F_DAY)};
  date[request->nField] = static_cast<int>(entered);
  const int year = date[F_YEAR], month = date[F_MONTH], day = date[F_DAY];
  if (month == 0 || day == 0) return 1;
  if (month > 12 || day > DaysInMonth(month, year)) return Refuse(request, wrongDate);
  return 1;
}

int CPrgModeRam::CheckWeight(CheckReq* request) {
  const stTable_t& general = m_aTables[T_GENERAL_OPTIONS];
  const bool ounces = *FieldValue(general, 0, F_SCALE_WEIGHT_TYPE) == 1;
  const long limit = ounces ? 999 : 9999;
  long weight = 0;
  if (WholeNumber(request->pszText, weight) && weight >= 0 && weight <= limit) return 1;
  return Refuse(request, RangeMessage(0, limit));
}

int CPrgModeRam::CheckReportCombination(CheckReq* request) {
  long report = 0;
  if (!WholeNumber(request->pszText, report) || report < 0 || report > 24)
    return Refuse(request, RangeMessage(0, 24));
  for (int uncombinable : kUncombinableReports)
    if (report == uncombinable) return Refuse(request, L"Error");
  return 1;
}

int CPrgModeRam::CheckMarkingField1(CheckReq* request) {
  const bool longCode = request->nRow < MARKING_ROWS_WITH_LONG_FIELD1;
  const double low = longCode ? 2 : 0, high = longCode ? 4 : 1;
  if (request->dValue >= low && request->dValue <= high) return 1;
  return Refuse(request, RangeMessage(low, high));
}
