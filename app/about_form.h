// TAboutForm: the about box with the program's and the dictionaries'
// versions and the update check against the update server.
#pragma once

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "documents/about_text.h"
#include "documents/http_fetcher.h"

class QLabel;
class QPushButton;
class QTabWidget;

namespace umlo {

class TAboutForm : public QDialog {
    Q_OBJECT

public:
    using UrlOpener = std::function<void(const QString&)>;

    // Fetches with libcurl and opens web addresses with the system's handler
    // until told otherwise.
    explicit TAboutForm(QWidget* parent = nullptr);
    ~TAboutForm() override;

    // "О программе": fills the box, centres it over the parent window and
    // shows it modally.
    int ShowAbout(const AboutState& state);
    // The filling alone: versions, dictionaries, and the result lines back at
    // "не проверена".
    void Fill(const AboutState& state);
    // "Проверка обновления": one request, the window waiting meanwhile.
    void CheckForUpdate();

    void SetFetcher(std::unique_ptr<HttpFetcher> fetcher);
    // The locale's decimal separator is the default.
    void SetDecimalSeparator(char separator) { decimalSeparator_ = separator; }
    void SetUrlOpener(UrlOpener opener) { openUrl_ = std::move(opener); }
    // The lines of the page fetched last; empty after a failed check.
    const std::vector<std::string>& PageLines() const { return pageLines_; }

protected:
    // A double click on the home-page line opens the home page.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* CreateAboutPage();
    QWidget* CreateTermsPage();
    void ShowLines(const UpdateLines& lines);

    QTabWidget* tabs_ = nullptr;
    QLabel* versionLabel_ = nullptr;
    QLabel* mainDictionaryLabel_ = nullptr;
    QLabel* regExprDictionaryLabel_ = nullptr;
    QLabel* programAvailable_ = nullptr;
    QLabel* mainDictionaryAvailable_ = nullptr;
    QLabel* regExprDictionaryAvailable_ = nullptr;
    QLabel* homePage_ = nullptr;
    QPushButton* checkButton_ = nullptr;

    AboutState state_;
    std::unique_ptr<HttpFetcher> fetcher_;
    UrlOpener openUrl_;
    char decimalSeparator_ = '.';
    std::vector<std::string> pageLines_;
};

} // namespace umlo
