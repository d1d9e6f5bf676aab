// The program's message boxes: Russian captions, the icons and default
// buttons of each kind, "\r" in a text starting a new line.
#pragma once

#include <QString>

#include <string_view>

#include "core/host.h"

class QMessageBox;
class QWidget;

namespace umlo {

// "Ошибка", "Информация", "Внимание", or empty for a plain box.
QString MessageCaption(MessageKind kind);
// Carriage returns (alone or before a line feed) become line breaks.
QString MessageText(std::string_view utf8);

// Everything of a box but its showing: caption, text, icon, the buttons with
// their Russian texts, the default and the escape button.
void PrepareMessageBox(QMessageBox& box, MessageKind kind, std::string_view text,
                       MessageButtons buttons, MessageResult defaultButton);

MessageResult ShowMessageBox(QWidget* parent, MessageKind kind, std::string_view text,
                             MessageButtons buttons, MessageResult defaultButton);

} // namespace umlo
