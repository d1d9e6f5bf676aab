#include "app/about_form.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEvent>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPalette>
#include <QPushButton>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "app/message_box.h"
#include "app/qt_convert.h"
#include "core/codepage.h"
#include "documents/curl_fetcher.h"

namespace umlo {

namespace {

const QString kCheckCaption = QStringLiteral("Проверка обновления");
const QString kConnectingCaption = QStringLiteral("Соединение...");

QString FromCp1251(const std::string& text) {
    return ToQString(Cp1251ToUtf16(text));
}

QString FromUtf8(std::string_view text) {
    return Utf8ToQString(text);
}

// The locale's separator when it is one byte, a point otherwise.
char LocaleDecimalSeparator() {
    const QString point = QLocale().decimalPoint();
    if (point.size() == 1 && point.at(0).unicode() < 0x80) {
        return static_cast<char>(point.at(0).unicode());
    }
    return '.';
}

QLabel* AddLabel(QVBoxLayout* layout, const char* name, const QString& text = {}) {
    auto* label = new QLabel(text);
    label->setObjectName(QString::fromLatin1(name));
    layout->addWidget(label);
    return label;
}

// The busy cursor for the time of the request, restored on every way out.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

TAboutForm::TAboutForm(QWidget* parent)
    : QDialog(parent), fetcher_(std::make_unique<CurlFetcher>()),
      openUrl_([this](const QString& url) {
          if (!QDesktopServices::openUrl(QUrl(url))) {
              ShowMessageBox(this, MessageKind::Error, HomePageNotOpenedMessage(),
                             MessageButtons::Ok, MessageResult::Ok);
          }
      }),
      decimalSeparator_(LocaleDecimalSeparator()) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("О программе"));
    setModal(true);

    tabs_ = new QTabWidget(this);
    tabs_->addTab(CreateAboutPage(), QStringLiteral("О программе"));
    tabs_->addTab(CreateTermsPage(), QStringLiteral("Условия распространения"));
    tabs_->setTabEnabled(1, false);

    // Cyrillic, like the message boxes' button.
    auto* ok = new QPushButton(QStringLiteral("ОК"));
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addLayout(buttons);
    ShowLines(NotCheckedLines());
}

TAboutForm::~TAboutForm() = default;

QWidget* TAboutForm::CreateAboutPage() {
    auto* page = new QWidget;
    auto* text = new QVBoxLayout;

    auto* title =
        AddLabel(text, "ProductName", QStringLiteral("Программа ёфикации русских текстов"));
    QFont titleFont = title->font();
    titleFont.setBold(true);
    title->setFont(titleFont);
    versionLabel_ = AddLabel(text, "Version");
    mainDictionaryLabel_ = AddLabel(text, "MainDictionary");
    regExprDictionaryLabel_ = AddLabel(text, "RegExprDictionary");
    text->addSpacing(8);
    programAvailable_ = AddLabel(text, "ProgramAvailable");
    mainDictionaryAvailable_ = AddLabel(text, "DictionaryAvailable");
    regExprDictionaryAvailable_ = AddLabel(text, "RegExprAvailable");

    checkButton_ = new QPushButton(kCheckCaption);
    checkButton_->setObjectName(QStringLiteral("CheckUpdateButton"));
    checkButton_->setAutoDefault(false);
    connect(checkButton_, &QPushButton::clicked, this, &TAboutForm::CheckForUpdate);
    auto* checkRow = new QHBoxLayout;
    checkRow->addWidget(checkButton_);
    checkRow->addStretch();
    text->addLayout(checkRow);

    text->addSpacing(8);
    homePage_ =
        AddLabel(text, "HomePage", QStringLiteral("Домашняя страница: ") + FromUtf8(HomePageUrl()));
    homePage_->setToolTip(QStringLiteral("Двойной щелчок открывает страницу в браузере"));
    homePage_->setCursor(Qt::PointingHandCursor);
    homePage_->installEventFilter(this);
    text->addStretch();

    // The picture: the letter itself.
    auto* picture = new QLabel(QStringLiteral("Ё"));
    picture->setObjectName(QStringLiteral("Image1"));
    QFont pictureFont = picture->font();
    pictureFont.setPointSize(48);
    pictureFont.setBold(true);
    picture->setFont(pictureFont);
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    picture->setMinimumWidth(80);

    auto* row = new QHBoxLayout(page);
    row->addWidget(picture);
    row->addLayout(text, 1);
    return page;
}

QWidget* TAboutForm::CreateTermsPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* terms = AddLabel(
        layout, "Terms",
        QStringLiteral("Программа распространяется бесплатно и предоставляется «как есть», "
                       "без каких-либо гарантий. Её можно свободно копировать и передавать "
                       "другим при условии, что она передаётся целиком и без изменений.\n\n"
                       "Основной словарь построен на русском словаре Hunspell "
                       "(© 1997–2008 Alexander I. Lebedev) и распространяется на условиях "
                       "его лицензии в стиле BSD: полный текст находится в файле "
                       "LICENSE.hunspell-ru."));
    terms->setWordWrap(true);
    layout->addStretch();
    return page;
}

void TAboutForm::SetFetcher(std::unique_ptr<HttpFetcher> fetcher) {
    if (fetcher) {
        fetcher_ = std::move(fetcher);
    }
}

void TAboutForm::Fill(const AboutState& state) {
    state_ = state;
    const VersionsInUse inUse = VersionsOf(state_);
    versionLabel_->setText(FromCp1251(ProgramVersionLine()));
    mainDictionaryLabel_->setText(FromCp1251(MainDictionaryLine(
        inUse.MainDictionaryName, inUse.MainDictionaryVersion, state_.MainDictionaryCount)));
    regExprDictionaryLabel_->setText(FromCp1251(
        RegExprDictionaryLine(inUse.RegExprDictionaryName, inUse.RegExprDictionaryVersion,
                              state_.RegExprDictionaryCount)));
    ShowLines(NotCheckedLines());
    checkButton_->setText(kCheckCaption);
    tabs_->setCurrentIndex(0);
}

int TAboutForm::ShowAbout(const AboutState& state) {
    Fill(state);
    adjustSize();
    if (const QWidget* main = parentWidget()) {
        const QRect outer = main->frameGeometry();
        // Before its first showing the box's frame is not known yet: it is
        // taken to be as wide as the main window's.
        QSize box = frameGeometry().size();
        if (box == size()) {
            box += outer.size() - main->size();
        }
        const BoxPosition at = CentredOver(outer.left(), outer.top(), outer.width(), outer.height(),
                                           box.width(), box.height());
        move(at.Left, at.Top);
    }
    return exec();
}

void TAboutForm::CheckForUpdate() {
    checkButton_->setText(kConnectingCaption);
    checkButton_->repaint();
    UpdateLines lines;
    {
        const WaitCursor wait;
        lines = umlo::CheckForUpdate(*fetcher_, state_.ProxyName, state_.ProxyPort,
                                     VersionsOf(state_), decimalSeparator_, pageLines_);
    }
    ShowLines(lines);
    checkButton_->setText(kCheckCaption);
}

void TAboutForm::ShowLines(const UpdateLines& lines) {
    const std::pair<QLabel*, const AvailableLine*> shown[] = {
        {programAvailable_, &lines.Program},
        {mainDictionaryAvailable_, &lines.MainDictionary},
        {regExprDictionaryAvailable_, &lines.RegExprDictionary}};
    for (const auto& [label, line] : shown) {
        label->setText(FromCp1251(line->Text));
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, ToQColor(line->Colour));
        label->setPalette(palette);
        label->setVisible(true);
    }
}

bool TAboutForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == homePage_ && event->type() == QEvent::MouseButtonDblClick) {
        openUrl_(FromUtf8(HomePageUrl()));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace umlo
