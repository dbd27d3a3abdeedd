// References to the option lists of the option tables (window number 4), for
// the choice columns of the field definitions. The number after LIST is the
// number of choices, which is also the table the list lives in.
#pragma once

#include "model_library/data/TableDef.h"

constexpr int WND_OPTIONS = 4;
constexpr int WND_DEPARTMENTS = 17;
constexpr int WND_PLUS = 18;

enum { OPTION_TABLE_TWO, OPTION_TABLE_THREE, OPTION_TABLE_FOUR, OPTION_TABLE_FIVE, OPTION_TABLE_SIX,
       OPTION_TABLE_EIGHT };

constexpr ListRef TwoEra(int field) { return {WND_OPTIONS, OPTION_TABLE_TWO, field}; }
constexpr ListRef ThreeEra(int field) { return {WND_OPTIONS, OPTION_TABLE_THREE, field}; }
constexpr ListRef FourEra(int field) { return {WND_OPTIONS, OPTION_TABLE_FOUR, field}; }
constexpr ListRef FiveEra(int field) { return {WND_OPTIONS, OPTION_TABLE_FIVE, field}; }
constexpr ListRef SixEra(int field) { return {WND_OPTIONS, OPTION_TABLE_SIX, field}; }
constexpr ListRef EightEra(int field) { return {WND_OPTIONS, OPTION_TABLE_EIGHT, field}; }

// "Two Era"
constexpr ListRef LIST2_SYMBOL = TwoEra(0);
constexpr ListRef LIST2_USYMBOL = TwoEra(1);
constexpr ListRef LIST2_MSYMBOL = TwoEra(2);
constexpr ListRef LIST2_EROUND_EF = TwoEra(3);
constexpr ListRef LIST2_TYPE = TwoEra(4);
constexpr ListRef LIST2_STAT_NS = TwoEra(5);
constexpr ListRef LIST2_STAT_PN = TwoEra(6);
constexpr ListRef LIST2_YESNO = TwoEra(7);
constexpr ListRef LIST2_TICKET = TwoEra(8);
constexpr ListRef LIST2_ACTIVE = TwoEra(9);
constexpr ListRef LIST2_OKNO = TwoEra(10);
constexpr ListRef LIST2_C_DIGIT = TwoEra(11);
constexpr ListRef LIST2_TAX_SYS = TwoEra(12);
constexpr ListRef LIST2_DRAWER = TwoEra(13);
constexpr ListRef LIST2_SIGN = TwoEra(14);
constexpr ListRef LIST2_TAX_STAT = TwoEra(15);
constexpr ListRef LIST2_PRINT = TwoEra(16);
constexpr ListRef LIST2_EJSTORE = TwoEra(17);
constexpr ListRef LIST2_TAX_POS = TwoEra(18);
constexpr ListRef LIST2_COMPRESS = TwoEra(19);
constexpr ListRef LIST2_REC_STYLE = TwoEra(20);
constexpr ListRef LIST2_EJSTORE_G = TwoEra(21);
constexpr ListRef LIST2_TWICE = TwoEra(22);
constexpr ListRef LIST2_LIMIT = TwoEra(23);
constexpr ListRef LIST2_WEIGHT_T = TwoEra(24);
constexpr ListRef LIST2_SOUND = TwoEra(25);
constexpr ListRef LIST2_CONS_I = TwoEra(26);
constexpr ListRef LIST2_CONS_T = TwoEra(27);
constexpr ListRef LIST2_INV_P = TwoEra(28);
constexpr ListRef LIST2_INV_F = TwoEra(29);
constexpr ListRef LIST2_CHAR = TwoEra(30);
constexpr ListRef LIST2_TIME = TwoEra(31);
constexpr ListRef LIST2_OFFON = TwoEra(32);
constexpr ListRef LIST2_NOYES = TwoEra(33);
constexpr ListRef LIST2_TIMING = TwoEra(34);
constexpr ListRef LIST2_TRAN = TwoEra(35);
constexpr ListRef LIST2_INV_T = TwoEra(36);
constexpr ListRef LIST2_E_TYPE = TwoEra(37);
constexpr ListRef LIST2_OREC_TYPE = TwoEra(38);
constexpr ListRef LIST2_OREC_OUT = TwoEra(39);
constexpr ListRef LIST2_ITMODR_T = TwoEra(40);
constexpr ListRef LIST2_ODR_OUT = TwoEra(41);
constexpr ListRef LIST2_LCD_DISP = TwoEra(42);
constexpr ListRef LIST2_KP_PRINT = TwoEra(43);

// "Three Era"
constexpr ListRef LIST3_FROUND = ThreeEra(0);
constexpr ListRef LIST3_STAT_OP = ThreeEra(1);
constexpr ListRef LIST3_E_TYPE = ThreeEra(2);
constexpr ListRef LIST3_C_TYPE = ThreeEra(3);
constexpr ListRef LIST3_P_LEVEL = ThreeEra(4);
constexpr ListRef LIST3_SHIFT = ThreeEra(5);
constexpr ListRef LIST3_SD_PRT = ThreeEra(6);
constexpr ListRef LIST3_DATE = ThreeEra(7);
constexpr ListRef LIST3_OREC_OUT = ThreeEra(8);
constexpr ListRef LIST3_OUTPUT = ThreeEra(9);

// "Fore Era"
constexpr ListRef LIST4_DPPOS = FourEra(0);
constexpr ListRef LIST4_EROUND = FourEra(1);
constexpr ListRef LIST4_OUTPUT = FourEra(2);
constexpr ListRef LIST4_P_TYPE = FourEra(3);
constexpr ListRef LIST4_CLERK_CHG = FourEra(4);
constexpr ListRef LIST4_FIELD2 = FourEra(5);
constexpr ListRef LIST4_M_UNIT = FourEra(6);
constexpr ListRef LIST4_REC_TYPE = FourEra(7);
constexpr ListRef LIST4_KP_PRINT = FourEra(8);

// "Five Era"
constexpr ListRef LIST5_CSYMBOL = FiveEra(0);
constexpr ListRef LIST5_COM2CONNECT = FiveEra(1);
constexpr ListRef LIST5_TAX = FiveEra(2);
constexpr ListRef LIST5_FIELD1 = FiveEra(3);
constexpr ListRef LIST5_FC = FiveEra(4);

// "Six Era"
constexpr ListRef LIST6_COM1CONNECT = SixEra(0);

// "Eight Era"
constexpr ListRef LIST8_HALO = EightEra(0);
constexpr ListRef LIST8_LALO = EightEra(1);
