// The about box offscreen: its lines, the update check with a fake fetcher,
// the home-page line and its place over the main window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <memory>
#include <optional>

#include "app/about_form.h"
#include "app/qt_convert.h"
#include "documents/update_check.h"

namespace umlo {
namespace {

// Answers with a fixed body and notes the button caption the user sees while
// the request runs.
class FakeFetcher : public HttpFetcher {
public:
    FakeFetcher(std::optional<std::string> body, const TAboutForm& form)
        : body_(std::move(body)), form_(form) {}
    std::optional<std::string> Get(const HttpRequest& request) override {
        ++calls;
        proxy = request.ProxyHost;
        captionMeanwhile = form_.findChild<QPushButton*>("CheckUpdateButton")->text();
        return body_;
    }
    int calls = 0;
    std::string proxy;
    QString captionMeanwhile;

private:
    std::optional<std::string> body_;
    const TAboutForm& form_;
};

const char* const kPage = "<p><a href=\"umlo_exe.zip\">umlo_exe.zip</a> (версия 0.98)</p>\n"
                          "<p><a href=\"umlox.zip\">umlox.zip</a> (версия 2.4)</p>\n"
                          "<p><a href=\"umlo_regexpr.zip\">umlo_regexpr.zip</a> (версия 1.3)</p>\n";

AboutState State() {
    AboutState state;
    state.MainDictionaryPath = "/opt/umlo/umlox.dat";
    state.MainDictionaryVersion = "2.5";
    state.MainDictionaryCount = 21;
    state.RegExprDictionaryPath = "/opt/umlo/umlo_regexpr.dat";
    state.RegExprDictionaryVersion = "1.3";
    state.RegExprDictionaryCount = 3;
    state.ProxyName = "proxy.local";
    return state;
}

QString Text(const TAboutForm& form, const char* name) {
    return form.findChild<QLabel*>(name)->text();
}

Color Colour(const TAboutForm& form, const char* name) {
    return FromQColor(form.findChild<QLabel*>(name)->palette().color(QPalette::WindowText));
}

TEST(AboutForm, ShowsTheVersionsInUseAndNothingCheckedYet) {
    TAboutForm form;
    form.Fill(State());
    EXPECT_EQ(Text(form, "Version"), QStringLiteral("Версия программы: 0.972b2"));
    EXPECT_EQ(Text(form, "MainDictionary"),
              QStringLiteral("Основной словарь: umlox.dat (v.2.5), 21 слово"));
    EXPECT_EQ(Text(form, "RegExprDictionary"),
              QStringLiteral("СРВ: umlo_regexpr.dat (v.1.3), 3 выражения"));
    EXPECT_EQ(Text(form, "ProgramAvailable"),
              QStringLiteral("Доступная версия программы: не проверена"));
    EXPECT_EQ(Colour(form, "DictionaryAvailable"), kVersionUnknownColor);
    const auto* tabs = form.findChild<QTabWidget*>();
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("Условия распространения"));
    EXPECT_FALSE(tabs->isTabEnabled(1));
}

TEST(AboutForm, CheckShowsEachComparisonAndRestoresTheCaption) {
    TAboutForm form;
    auto owned = std::make_unique<FakeFetcher>(std::string(kPage), form);
    FakeFetcher& fetcher = *owned;
    form.SetFetcher(std::move(owned));
    form.SetDecimalSeparator('.');
    form.Fill(State());
    form.findChild<QPushButton*>("CheckUpdateButton")->click();

    EXPECT_EQ(fetcher.calls, 1);
    EXPECT_EQ(fetcher.proxy, "proxy.local");
    EXPECT_EQ(fetcher.captionMeanwhile, QStringLiteral("Соединение..."));
    EXPECT_EQ(form.findChild<QPushButton*>("CheckUpdateButton")->text(),
              QStringLiteral("Проверка обновления"));
    EXPECT_EQ(form.PageLines().size(), 3u);
    EXPECT_EQ(Text(form, "ProgramAvailable"),
              QStringLiteral("Доступная версия программы: v. 0.98 (>)"));
    EXPECT_EQ(Colour(form, "ProgramAvailable"), kVersionNewerColor);
    EXPECT_EQ(Text(form, "DictionaryAvailable"),
              QStringLiteral("Доступная версия словаря: umlox.dat, v. 2.4 (<)"));
    EXPECT_EQ(Colour(form, "DictionaryAvailable"), kVersionOlderColor);
    EXPECT_EQ(Text(form, "RegExprAvailable"),
              QStringLiteral("Доступная версия СРВ: umlo_regexpr.dat, v. 1.3 (=)"));
    EXPECT_EQ(Colour(form, "RegExprAvailable"), kVersionSameColor);

    // Shown again, the box starts over.
    form.Fill(State());
    EXPECT_EQ(Text(form, "RegExprAvailable"), QStringLiteral("Доступная версия СРВ: не проверена"));
    EXPECT_EQ(Colour(form, "RegExprAvailable"), kVersionUnknownColor);
}

TEST(AboutForm, FailedCheckIsSilentAndGrey) {
    TAboutForm form;
    form.SetFetcher(std::make_unique<FakeFetcher>(std::nullopt, form));
    form.Fill(State());
    form.CheckForUpdate();
    EXPECT_EQ(Text(form, "ProgramAvailable"),
              QStringLiteral("Доступная версия программы: не найдена"));
    EXPECT_EQ(Text(form, "DictionaryAvailable"),
              QStringLiteral("Доступная версия словаря: не найдена"));
    EXPECT_EQ(Colour(form, "RegExprAvailable"), kVersionUnknownColor);
    EXPECT_TRUE(form.PageLines().empty());
    EXPECT_EQ(form.findChild<QPushButton*>("CheckUpdateButton")->text(),
              QStringLiteral("Проверка обновления"));
}

TEST(AboutForm, ReadsVersionsWithTheLocaleDecimalSeparator) {
    // With a comma as the separator "0.98" cannot be read: both sides count 0.
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    TAboutForm form;
    QLocale::setDefault(saved);
    form.SetFetcher(std::make_unique<FakeFetcher>(std::string(kPage), form));
    form.Fill(State());
    form.CheckForUpdate();
    EXPECT_EQ(Text(form, "ProgramAvailable"),
              QStringLiteral("Доступная версия программы: v. 0.98 (=)"));
    EXPECT_EQ(Colour(form, "ProgramAvailable"), kVersionSameColor);
}

TEST(AboutForm, DoubleClickOnTheHomePageLineOpensIt) {
    TAboutForm form;
    QStringList opened;
    form.SetUrlOpener([&opened](const QString& url) { opened << url; });
    auto* line = form.findChild<QLabel*>("HomePage");
    const QPointF at(2, 2);
    QMouseEvent click(QEvent::MouseButtonDblClick, at, line->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(line, &click);
    EXPECT_EQ(opened, QStringList{Utf8ToQString(HomePageUrl())});
}

TEST(AboutForm, AHomePageNoBrowserTakesIsReportedWithItsAddress) {
    TAboutForm form;
    auto* line = form.findChild<QLabel*>("HomePage");
    QString reported;
    // The offscreen platform opens no web pages: the box says so.
    QTimer::singleShot(0, [&reported] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            reported = box->text();
            box->close();
        }
    });
    const QPointF at(2, 2);
    QMouseEvent click(QEvent::MouseButtonDblClick, at, line->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(line, &click);
    EXPECT_TRUE(reported.contains(Utf8ToQString(HomePageUrl()))) << reported.toStdString();
    EXPECT_TRUE(reported.startsWith(QStringLiteral("Не удалось открыть")))
        << reported.toStdString();
}

TEST(AboutForm, ShownModallyCentredOverTheMainWindow) {
    QWidget main;
    main.setGeometry(100, 80, 900, 700);
    main.show();
    TAboutForm form(&main);
    bool wasModal = false;
    QPoint shownAt;
    QRect mainFrame;
    QSize boxFrame;
    QTimer::singleShot(0, &form, [&] {
        wasModal = form.isModal() && form.isVisible();
        shownAt = form.pos();
        mainFrame = main.frameGeometry();
        boxFrame = form.frameGeometry().size();
        form.accept();
    });
    EXPECT_EQ(form.ShowAbout(State()), QDialog::Accepted);
    EXPECT_TRUE(wasModal);
    const BoxPosition expected =
        CentredOver(mainFrame.left(), mainFrame.top(), mainFrame.width(), mainFrame.height(),
                    boxFrame.width(), boxFrame.height());
    EXPECT_EQ(shownAt, QPoint(expected.Left, expected.Top));
}

} // namespace
} // namespace umlo
