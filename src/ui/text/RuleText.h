#pragma once
// What the windows say when a rule refuses a value: the title and text of the
// message box, exactly as the window shows it, in UTF-8. The command line
// prints the same words, so standard C++ only.

#include "rules/Failure.h"

#include <string>
#include <string_view>

namespace halvorn::ui {

struct RuleText {
    std::string title;
    std::string text;
};

RuleText ruleText(const rules::Failure& failure);

// The mail account dialog's text for a field that cannot go into a mail command.
std::string unfitForMailText(std::string_view field);

} // namespace halvorn::ui
