#include "app/message_box.h"

#include <QAbstractButton>
#include <QMessageBox>

#include <utility>

#include "app/qt_convert.h"

namespace umlo {
namespace {

QMessageBox::StandardButton ToQt(MessageResult r) {
    switch (r) {
    case MessageResult::Ok:
        return QMessageBox::Ok;
    case MessageResult::Yes:
        return QMessageBox::Yes;
    case MessageResult::No:
        return QMessageBox::No;
    case MessageResult::Cancel:
        return QMessageBox::Cancel;
    }
    return QMessageBox::NoButton;
}

const std::pair<QMessageBox::StandardButton, const char*> kButtonTexts[] = {
    {QMessageBox::Yes, "Да"},
    {QMessageBox::No, "Нет"},
    {QMessageBox::Cancel, "Отмена"},
    {QMessageBox::Ok, "ОК"},
};

} // namespace

QString MessageCaption(MessageKind kind) {
    switch (kind) {
    case MessageKind::Error:
        return QStringLiteral("Ошибка");
    case MessageKind::Information:
        return QStringLiteral("Информация");
    case MessageKind::Warning:
        return QStringLiteral("Внимание");
    case MessageKind::Plain:
        break;
    }
    return QString();
}

QString MessageText(std::string_view utf8) {
    QString text = Utf8ToQString(utf8);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

void PrepareMessageBox(QMessageBox& box, MessageKind kind, std::string_view text,
                       MessageButtons buttons, MessageResult defaultButton) {
    box.setWindowTitle(MessageCaption(kind));
    box.setText(MessageText(text));
    switch (kind) {
    case MessageKind::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case MessageKind::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageKind::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageKind::Plain:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    switch (buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        break;
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(
            ToQt(defaultButton == MessageResult::Yes ? MessageResult::Yes : MessageResult::No));
        box.setEscapeButton(QMessageBox::No);
        break;
    case MessageButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(ToQt(defaultButton));
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case MessageButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(defaultButton == MessageResult::Cancel ? QMessageBox::Cancel
                                                                    : QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    // Qt's own texts are English where its Russian translation is missing.
    for (const auto& [button, caption] : kButtonTexts) {
        if (QAbstractButton* b = box.button(button)) {
            b->setText(QString::fromUtf8(caption));
        }
    }
}

MessageResult ShowMessageBox(QWidget* parent, MessageKind kind, std::string_view text,
                             MessageButtons buttons, MessageResult defaultButton) {
    QMessageBox box(parent);
    PrepareMessageBox(box, kind, text, buttons, defaultButton);
    switch (box.exec()) {
    case QMessageBox::Ok:
        return MessageResult::Ok;
    case QMessageBox::Yes:
        return MessageResult::Yes;
    case QMessageBox::No:
        return MessageResult::No;
    case QMessageBox::Cancel:
        return MessageResult::Cancel;
    default:
        break;
    }
    return buttons == MessageButtons::Ok      ? MessageResult::Ok
           : buttons == MessageButtons::YesNo ? MessageResult::No
                                              : MessageResult::Cancel;
}

} // namespace umlo
