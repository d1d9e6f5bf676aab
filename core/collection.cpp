#include "core/collection.h"

#include <cstdio>

#include "core/pass.h"

namespace umlo {

namespace {

// Puts back the options and the flag however the scan ends.
class CollectionScope {
public:
    explicit CollectionScope(PassEngine& engine)
        : engine_(engine), checkUmlo_(engine.Options().CheckUmlo),
          regExprs_(engine.Options().RegExprs) {
        engine_.Options().CheckUmlo = true;
        engine_.Options().RegExprs = false;
        engine_.Flags().CollectMode = true;
    }
    ~CollectionScope() {
        engine_.Flags().CollectMode = false;
        engine_.Options().CheckUmlo = checkUmlo_;
        engine_.Options().RegExprs = regExprs_;
    }
    CollectionScope(const CollectionScope&) = delete;
    CollectionScope& operator=(const CollectionScope&) = delete;

private:
    PassEngine& engine_;
    bool checkUmlo_;
    bool regExprs_;
};

} // namespace

void Umlocollect1(PassEngine& engine) {
    engine.TakeStartTime();
    CollectNewWords(engine);
}

void CollectNewWords(PassEngine& engine) {
    if (engine.Flags().PassRunning || engine.Flags().CollectMode) {
        return;
    }
    {
        const LineColumn at = engine.CaretLineColumn();
        CollectionScope scope(engine);
        engine.ScanText(at.line, at.column);
    }
    const int count = engine.Counters().NewWordCount;
    if (count != 0) {
        char text[160];
        std::snprintf(
            text, sizeof text,
            "Количество новых слов с Ё: %d\rДля их просмотра перейдите в редактор словарей", count);
        engine.Window().ShowInfo(text);
    }
}

} // namespace umlo
