// The main menu: every item with its caption, shortcut and first state, the
// refresh rules on a live window, collection, "Копировать в редактор словарей"
// and the home page.
#include <QDesktopServices>
#include <QMenu>
#include <QMenuBar>
#include <QUrl>

#include "tests/app/main_window_fixture.h"

namespace umlo {

// Receives the addresses the window opens instead of a browser.
class UrlCatcher : public QObject {
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void Open(const QUrl& url) { urls.push_back(url); }
};

namespace {

struct Row {
    const char* name; // "-" for a separator
    const char* caption;
    const char* shortcut;
    bool onAtFirst;
};

struct MenuRows {
    const char* title;
    std::vector<Row> rows;
};

const std::vector<MenuRows>& MenuTable() {
    static const std::vector<MenuRows> table = {
        {"Файл",
         {{"Open1", "Загрузить текст", "Ctrl+L", true},
          {"Save1", "Сохранить текст", "Ctrl+Alt+S", false},
          {"Saveas1", "Сохранить текст как", "Ctrl+S", false},
          {"Close1", "Очистить текстовое окно", "", false},
          {"OpenDic1", "Загрузить основной словарь", "", true},
          {"OpenRegExprDic1", "Загрузить словарь регулярных выражений", "", true},
          {"EditDic1", "Редактор словарей", "Ctrl+E", false}, // Editor / Enabled is off
          {"Clearfilelist1", "Очистить список последних файлов", "", false},
          {"Fileprop1", "Свойства файла", "Ctrl+P", false},
          {"Exit1", "Выход", "", true},
          {"Openfile0", "", "", false}}}, // hidden, and so never enabled
        {"Редактировать",
         {{"Cut1", "Вырезать", "Ctrl+X", true},
          {"Copy1", "Копировать", "Ctrl+C", true},
          {"Paste1", "Вставить", "Ctrl+V", true},
          {"Selectall1", "Выделить всё", "Ctrl+A", true},
          {"Copytodicedit1", "Копировать в редактор словарей", "F8", true},
          {"-", "", "", true},
          {"Undo1", "Откат", "Ctrl+Z", false},
          {"-", "", "", true},
          {"Find1", "Найти", "Ctrl+F", true},
          {"Findreg1", "Найти регулярное выражение", "Ctrl+R", true},
          {"Findagain1", "Найти снова", "F3", false},
          {"Findyyfwd1", "Искать замену вперёд", "Ctrl+W", true},
          {"Findyyback1", "Искать замену назад", "Ctrl+Q", true}}},
        {"Ёфикация",
         {// Both wait for the dictionary.
          {"Umlopos1", "Ёфицировать с текущей позиции", "F9", false},
          {"Umlobegin1", "Ёфицировать с начала текста", "Ctrl+F9", false},
          {"Stat1", "Детальная статистика", "Ctrl+T", true},
          {"Clearstat1", "Обнулить статистику", "Shift+F10", true},
          {"Clearusersel1", "Сбросить \"Всегда Е/Ё\"", "", false},
          {"Umlocollect1", "Сбор новых Ё", "", true}}},
        {"Настройки", {{"Options1", "Опции", "Ctrl+Alt+O", true}}},
        {"Помощь",
         {{"About1", "О программе", "F1", true}, {"Moreabout1", "Ещё о программе", "", true}}},
    };
    return table;
}

class MainWindowMenuTest : public MainWindowFixture {};

TEST_F(MainWindowMenuTest, EveryItemHasItsCaptionShortcutAndFirstStateBeforeTheStart) {
    ASSERT_TRUE(dir_.isValid());
    StartOptions start;
    start.programFolder = QStringToUtf8(dir_.path());
    start.readSettings = false;
    start.writeSettings = false;
    TMainForm window(std::move(start)); // not shown: the deferred start has not run
    const QList<QAction*> menus = window.menuBar()->actions();
    ASSERT_EQ(menus.size(), static_cast<qsizetype>(MenuTable().size()));
    for (size_t m = 0; m < MenuTable().size(); ++m) {
        const MenuRows& expected = MenuTable()[m];
        QMenu* menu = menus[static_cast<qsizetype>(m)]->menu();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->title(), QString::fromUtf8(expected.title));
        const QList<QAction*> items = menu->actions();
        ASSERT_EQ(items.size(), static_cast<qsizetype>(expected.rows.size())) << expected.title;
        for (size_t i = 0; i < expected.rows.size(); ++i) {
            const Row& row = expected.rows[i];
            const QAction* item = items[static_cast<qsizetype>(i)];
            if (std::string_view(row.name) == "-") {
                EXPECT_TRUE(item->isSeparator()) << expected.title << " " << i;
                continue;
            }
            EXPECT_EQ(item->objectName(), QString::fromLatin1(row.name));
            EXPECT_EQ(item->text(), QString::fromUtf8(row.caption)) << row.name;
            EXPECT_EQ(item->shortcut(), QKeySequence(QString::fromLatin1(row.shortcut)))
                << row.name;
            EXPECT_EQ(item->isEnabled(), row.onAtFirst) << row.name;
            EXPECT_EQ(window.Action(QString::fromLatin1(row.name)), item);
        }
    }
    EXPECT_FALSE(window.Action(QStringLiteral("Openfile0"))->isVisible());
    EXPECT_EQ(window.Action(QStringLiteral("Testing1")), nullptr);
}

TEST_F(MainWindowMenuTest, AfterTheStartWithoutTextOnlyTextFreeCommandsAreOn) {
    StartWindow("мёд\n");
    for (const char* name :
         {"Saveas1",     "Save1",      "Close1",       "Selectall1",     "Find1",
          "Findreg1",    "Fileprop1",  "Cut1",         "Copy1",          "Copytodicedit1",
          "Umlobegin1",  "Umlopos1",   "Umlocollect1", "Clearfilelist1", "Findyyfwd1",
          "Findyyback1", "Clearstat1", "Stat1",        "Findagain1",     "EditDic1"}) {
        EXPECT_FALSE(Enabled(name)) << name;
    }
    for (const char* name : {"Open1", "OpenDic1", "OpenRegExprDic1", "Exit1", "Paste1", "Options1",
                             "About1", "Moreabout1"}) {
        EXPECT_TRUE(Enabled(name)) << name;
    }
}

TEST_F(MainWindowMenuTest, CollectionNeedsTheDictionaryEditorSetting) {
    StartWindow("мёд\n");
    LoadText("мед");
    EXPECT_TRUE(Enabled("Umlobegin1"));
    EXPECT_FALSE(Enabled("Umlocollect1"));
    window_->Values().EditorEnabled = true;
    window_->RefreshCommands();
    EXPECT_TRUE(Enabled("Umlocollect1"));
    // The menus given back after a pass keep it by the same rule.
    window_->SetPassMenus(false);
    EXPECT_FALSE(Enabled("Umlocollect1"));
    window_->SetPassMenus(true);
    EXPECT_TRUE(Enabled("Umlocollect1"));
}

TEST_F(MainWindowMenuTest, CollectionHandsNewDiaeresisWordsOverAndChangesNothing) {
    StartWindow("ёлка\nещё\n");
    LoadText("Ещё ёлка вёдро ещё ёще");
    window_->Values().EditorEnabled = true;
    window_->RefreshCommands();
    Editor().SetCaret(0);
    window_->CurrentOptions().CheckUmlo = false;
    Trigger("Umlocollect1");
    // «ёще» is known as «ещё»: its ё stands elsewhere.
    EXPECT_EQ(WordLines(), (std::vector<std::string>{"вёдро", "ёще"}));
    EXPECT_EQ(Text(), u"Ещё ёлка вёдро ещё ёще");
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].kind, MessageKind::Information);
    EXPECT_EQ(messages_[0].text,
              "Количество новых слов с Ё: 2\rДля их просмотра перейдите в редактор словарей");
    // The options switched for the scan are back as they were.
    EXPECT_FALSE(window_->CurrentOptions().CheckUmlo);
}

TEST_F(MainWindowMenuTest, CopyToDictionaryEditorSendsTheSelectionAsOneLine) {
    StartWindow("мёд\n");
    LoadText("мед ёлка");
    EXPECT_FALSE(Enabled("Copytodicedit1"));
    Editor().SetCaret(4);
    Editor().SetSelLength(4);
    EXPECT_TRUE(Enabled("Copytodicedit1"));
    Trigger("Copytodicedit1");
    EXPECT_EQ(WordLines(), (std::vector<std::string>{"ёлка"}));
}

TEST_F(MainWindowMenuTest, MoreAboutOpensTheHomePage) {
    StartWindow("мёд\n");
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "Open");
    Trigger("Moreabout1");
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls[0].scheme(), QStringLiteral("http"));
    EXPECT_EQ(catcher.urls[0].path(), QStringLiteral("/umlo/umlo.html"));
}

TEST_F(MainWindowMenuTest, CtrlOOpensTheSettingsMenu) {
    StartWindow("мёд\n");
    QTest::keyClick(window_.get(), Qt::Key_O, Qt::ControlModifier);
    QAction* active = window_->menuBar()->activeAction();
    ASSERT_NE(active, nullptr);
    EXPECT_EQ(active->text(), QStringLiteral("Настройки"));
    if (active->menu() != nullptr) {
        active->menu()->close();
    }
}

} // namespace
} // namespace umlo

#include "main_window_menu_test.moc"
