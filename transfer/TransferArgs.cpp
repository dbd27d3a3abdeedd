#include "transfer/TransferArgs.h"

#include <cctype>

#include "platform/TransferResult.h"

uint64_t LeadingNumber(const std::string& text) {
  uint64_t value = 0;
  for (char ch : text) {
    if (!std::isdigit(static_cast<unsigned char>(ch))) break;
    value = value * 10 + static_cast<uint64_t>(ch - '0');
  }
  return value;
}

std::string StripQuotes(const std::string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && text[begin] == '"') ++begin;
  while (end > begin && text[end - 1] == '"') --end;
  return text.substr(begin, end - begin);
}

uint32_t CheckTransferArgs(const std::vector<std::string>& tokens, TransferArgs& args) {
  if (tokens.size() != kTransferArgCount) return platform::TR_ARG_COUNT;
  std::vector<std::string> arg;
  for (const std::string& token : tokens) arg.push_back(StripQuotes(token));
  args.strPort = arg[0];
  args.nBaudRate = static_cast<uint32_t>(LeadingNumber(arg[1]));
  args.nDirection = static_cast<uint8_t>(LeadingNumber(arg[2]));
  args.strDataFolder = arg[3];
  args.nItem = static_cast<uint8_t>(LeadingNumber(arg[4]));
  args.strExtension = arg[5].substr(0, kMaxExtensionChars);
  args.nMode = static_cast<uint8_t>(LeadingNumber(arg[6]));
  args.nFirst = static_cast<uint16_t>(LeadingNumber(arg[7]));
  args.nLast = static_cast<uint16_t>(LeadingNumber(arg[8]));
  if (args.nDirection > 1) return platform::TR_DIRECTION;
  if (args.nMode != 1 && args.nMode != 2) return platform::TR_MODE;
  if (args.nMode == 2 && args.nFirst > args.nLast) return platform::TR_NUMBERS;
  return platform::TR_DONE;
}
