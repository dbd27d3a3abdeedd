#include <cstring>

#include "EcrTool.h"
#include "platform/TextCodec.h"

namespace {

struct ValueOption {
  const char* pszName;
  std::wstring ToolOptions::*pMember;
};

const ValueOption kValueOptions[] = {
    {"--library", &ToolOptions::strLibrary},
    {"--cap", &ToolOptions::strCapFolder},
    {"--model", &ToolOptions::strModel},
    {"--language", &ToolOptions::strLanguage},
};

// "--name value" or "--name=value"; true when the argument was this option.
bool TakeValueOption(const ValueOption& option, int argc, char** argv, int& i, ToolOptions& options,
                     std::string& error) {
  const char* arg = argv[i];
  size_t length = std::strlen(option.pszName);
  if (std::strncmp(arg, option.pszName, length) != 0) return false;
  if (arg[length] == '=') {
    options.*option.pMember = platform::Utf8ToWide(arg + length + 1);
  } else if (arg[length] != '\0') {
    return false;
  } else if (i + 1 < argc) {
    options.*option.pMember = platform::Utf8ToWide(argv[++i]);
  } else {
    error = std::string(option.pszName) + " needs a value";
  }
  return true;
}

}  // namespace

bool ParseCommandLine(int argc, char** argv, ToolOptions& options, std::string& error) {
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    // Values may begin with "-" (a negative stock count); only "--" starts an option.
    if (optionsEnded || std::strncmp(arg, "--", 2) != 0) {
      if (std::strcmp(arg, "-h") == 0 && !optionsEnded) {
        options.bHelp = true;
      } else {
        options.words.push_back(platform::Utf8ToWide(arg));
      }
      continue;
    }
    if (std::strcmp(arg, "--") == 0) {
      optionsEnded = true;
      continue;
    }
    if (std::strcmp(arg, "--help") == 0) {
      options.bHelp = true;
      continue;
    }
    bool known = false;
    for (const ValueOption& option : kValueOptions) {
      if (TakeValueOption(option, argc, argv, i, options, error)) {
        known = true;
        break;
      }
    }
    if (!error.empty()) return false;
    if (!known) {
      error = std::string("unknown option ") + arg;
      return false;
    }
  }
  if (options.strCapFolder.empty() != options.strModel.empty()) {
    error = "--cap and --model go together";
    return false;
  }
  if (!options.strLanguage.empty() && options.strModel.empty()) {
    error = "--language needs --cap and --model";
    return false;
  }
  return true;
}

const char* UsageText() {
  return R"(Usage: ecrtool [OPTIONS] COMMAND DATA OBJECT [ARGUMENTS]

Reads and changes the register files of the data folder DATA.

Commands:
  tables DATA OBJECT                 one line per table: index, id, caption,
                                     record count, field count (tab-separated)
  fields DATA OBJECT TABLE           one line per field: index, id, caption,
                                     type (hexadecimal), width, input, check,
                                     min, max, level (tab-separated)
  get DATA OBJECT TABLE ROW FIELD    the value as the table editor shows it
  set DATA OBJECT TABLE ROW FIELD TEXT
                                     checks TEXT as the table editor does,
                                     stores it and saves the file (fields
                                     the editor shows read-only are refused)
  export DATA OBJECT TABLE FILE      writes the table as UTF-16 text, one line
                                     per row after a caption line and a line
                                     of field captions
  import DATA OBJECT TABLE FILE      reads rows from a UTF-16 text file (no
                                     caption lines) and saves the file

OBJECT is a window number or a name:
  17 DEPT   18 PLU   19 CLERK   20 SMODE   21 PRGMODE   23 KEYBOARD
TABLE is a table index as "tables" lists it; ROW and FIELD count from 0.
A TEXT that begins with "--" follows the argument "--".

Options:
  --library PATH     the model library (default: Arvodll.so beside ecrtool)
  --cap DIR          folder of the character table and caption files
  --model NAME       with --cap: load the character table NAME_ECR.CNV
  --language L       with --cap and --model: captions from NAME_L.Cap
  -h, --help         show this text
Without --cap, register texts are converted through the Windows-1252 code page.

Every command loads the object's file first. "get" and "export" of an object
whose file does not exist show its empty rows.

Exit codes:
  0  done
  1  usage error: unknown command, option, object, table, row or field
  2  the object's file is missing or does not load (wrong size or count)
  3  the value was refused (its message is printed), or PLU codes repeat;
     nothing was saved
  4  a file could not be saved, exported or imported
  5  the model library could not be loaded
)";
}
