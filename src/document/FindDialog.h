// The Find and Replace dialogs of the edit control.
#pragma once
#include <functional>

class CodeMax1;
class FindReplace;

namespace FindDialog {
// Shows the dialog modally through the Prompter. Its buttons take the texts and
// options into find and call findNext, replaceOne or replaceAll, which act on the
// editor; replaceAll returns how many it replaced, or -1 when it has said what went wrong.
void Exec(CodeMax1* editor, FindReplace& find, bool replace, const std::function<void()>& findNext,
          const std::function<void()>& replaceOne, const std::function<int()>& replaceAll);
}
