#pragma once
// What the windows say when a rule refuses a value: the title and text of the
// message box, exactly as the window shows it. The command line prints the
// same words, so Qt Core only.

#include "rules/Failure.h"

#include <QString>

namespace halvorn::ui {

struct RuleText {
    QString title;
    QString text;
};

RuleText ruleText(const rules::Failure& failure);

// The mail account dialog's text for a field that cannot go into a mail command.
QString unfitForMailText(const QString& field);

} // namespace halvorn::ui
