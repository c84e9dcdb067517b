#include "ui/FieldText.h"

namespace halvorn::ui {

QString fieldText(std::span<const std::uint8_t> area, const TextCodec& codec) {
    return QString::fromStdU16String(loadText(area, codec));
}

QString refusalText(TextStatus status, const QString& label) {
    switch (status) {
    case TextStatus::Unrepresentable:
        return QStringLiteral("%1に使用できない文字が含まれています").arg(label);
    case TextStatus::TooLong:
        return QStringLiteral("%1が長すぎます").arg(label);
    case TextStatus::Stored:
        break;
    }
    return {};
}

} // namespace halvorn::ui
