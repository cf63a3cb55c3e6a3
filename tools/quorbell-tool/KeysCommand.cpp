// keys TEXT: the key events the key-string notation makes from TEXT, one per line:
//   down 0xVK / up 0xVK   a key pressed / released (virtual-key code, two upper-case hex digits)
//   char X                a character typed as Unicode (space, control characters and DEL as
//                         U+XXXX)
// or, for text that is not valid notation, the single line "invalid<TAB>reason" and exit code 1.
#include "Commands.h"
#include "hotkeys/KeyNotation.h"

int RunKeysCommand(const CommandArgs& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) {
    err << "usage: quorbell-tool keys TEXT\n"
           "  prints one event per line: 'down 0xVK', 'up 0xVK' or 'char X';\n"
           "  invalid notation prints 'invalid<TAB>reason' and exits with 1\n";
    return kUsageError;
  }
  const qb::ParsedKeys keys = qb::ParseKeyNotation(args[0]);
  if (!keys.valid) {
    out << "invalid\t" << keys.reason << '\n';
    return 1;
  }
  for (const qb::KeyEvent& event : keys.events) out << qb::DescribeKeyEvent(event) << '\n';
  return 0;
}
