#pragma once
// The phone's phonebook lines: the +MPBR answer line of each family, the range answer of
// AT+MPBR=?, and the AT+MPBW commands that write or empty a slot.

#include <string>
#include <vector>

#include "phonebook/abonent.h"
#include "phonebook/model_family.h"

namespace orlin {

// One "+MPBR: ..." line of a range answer (without its line break). The 9-field family
// (and a model in no family) reads fields 1..9, the 13-field family 1..13, the 16-field
// family 1..14; fields after the layout's last are ignored. Raises EConvertError when the
// line is not an entry line, a field is missing, or a number field is not an integer.
// A name or picture in double quotes is read as DecodeUcs2Field reads it.
TAbonentInfo ParseMpbrLine(const std::string& line, ModelFamily family);

// The fields of a "+MPBR: " entry line, counted at commas outside quotes; 0 for another line.
int EntryFieldCount(const std::string& line);

struct IndexRange {
    int32_t first = 0;
    int32_t last = 0;
};
// "+MPBR: 1-1000,32,24,..." (the whole response of AT+MPBR=?) -> 1, 1000.
// Raises EConvertError when the numbers are not integers.
IndexRange ParseIndexRange(const std::string& response);

// AT+MPBW with the family's layout, from the record's fields:
//   9 fields:  index,"number",format,name,type,Aux6,Ids,Aux8,Aux9
//   13 fields: ... ,Category,Icon,Aux12,Aux13
//   16 fields: ... ,Category,Icon,Aux12,Aux13,picture,Aux15,Aux16
// The name and the picture go as UCS2 (EncodeUcs2: a character beyond the Basic Multilingual
// Plane becomes '?'; the callers report the entry, see BeyondUcs2Names). Empty for a model in no
// family.
std::string BuildMpbwCommand(ModelFamily family, const TAbonentInfo& record);

// The four fields of a SIM entry: AT+MPBW=index,"number",format,name.
std::string BuildShortMpbwCommand(const TAbonentInfo& record);

// ": знаки вне UCS2 (эмодзи) телефон не хранит: записаны как «?»", the tail of a warning
// about one entry.
Utf8Text BeyondUcs2Note();

// The warning about the records whose name, number or picture holds a character the phone
// cannot hold (beyond the Basic Multilingual Plane: an emoji), which goes to the phone as '?':
// "Знаки вне UCS2 (эмодзи) телефон не хранит, записаны как «?»: Anna 😀, Olaf." Empty when
// there are none.
Utf8Text EntriesBeyondUcs2Text(const std::vector<TAbonentInfo>& records);

// AT+MPBW=index: empties the slot.
std::string BuildEmptySlotCommand(int32_t index);

// The answer contains OK (the two letters anywhere) and does not end in a refusal (ERROR,
// +CME ERROR: n, +CMS ERROR: n). Give the whole answer, not a trimmed one.
bool AnswerHasOk(const std::string& response);
// The answer is exactly CR LF "OK" CR LF.
bool AnswerIsBareOk(const std::string& response);

}  // namespace orlin
