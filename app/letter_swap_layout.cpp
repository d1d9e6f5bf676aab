#include "app/letter_swap_layout.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

// QTextLayout has no public way to keep its lines through a change of its
// text, or to be given them back.
#include <private/qtextengine_p.h>

#include <algorithm>
#include <utility>

namespace umlo {

struct LetterSwapLayout::KeptLines {
    QTextLayout* layout;
    int blockNumber;
    int blockLength;
    QScriptLineArray lines;
};

LetterSwapLayout::LetterSwapLayout(QTextDocument* document) : QPlainTextDocumentLayout(document) {}

LetterSwapLayout::~LetterSwapLayout() = default;

void LetterSwapLayout::ExpectLetterSwapAt(int position, bool sameWidth) {
    lettersOnly_ = !otherEdits_;
    const QTextBlock block = document()->findBlock(position);
    QTextLayout* lines = block.layout();
    if (lines == nullptr) {
        return;
    }
    if (!sameWidth) {
        // Its line breaks may move: laid out afresh when next shown.
        std::erase_if(kept_, [lines](const KeptLines& k) { return k.layout == lines; });
        lines->clearLayout();
        return;
    }
    if (lines->lineCount() <= kManyLines) {
        return;
    }
    if (lettersOnly_) {
        KeepLines(block);
    } else {
        lines->clearLayout();
    }
}

void LetterSwapLayout::NoteOtherEdit() {
    otherEdits_ = true;
    lettersOnly_ = false;
    // Those paragraphs are laid out again when next needed.
    kept_.clear();
}

void LetterSwapLayout::KeepLines(const QTextBlock& block) {
    QTextLayout* layout = block.layout();
    QScriptLineArray& lines = layout->engine()->lines;
    auto it = std::find_if(kept_.begin(), kept_.end(),
                           [layout](const KeptLines& k) { return k.layout == layout; });
    if (it == kept_.end()) {
        kept_.push_back(KeptLines{layout, block.blockNumber(), block.length(), {}});
        it = std::prev(kept_.end());
    }
    it->lines = std::exchange(lines, QScriptLineArray{});
}

void LetterSwapLayout::GiveBackLines() {
    const QTextDocument* doc = document();
    for (KeptLines& k : kept_) {
        // Only to the same paragraph, of the same length, not laid out meanwhile.
        const QTextBlock block = doc->findBlockByNumber(k.blockNumber);
        if (block.isValid() && block.length() == k.blockLength && block.layout() == k.layout &&
            k.layout->lineCount() == 0) {
            k.layout->engine()->lines = std::move(k.lines);
            ++keptParagraphs_;
        }
    }
    kept_.clear();
}

void LetterSwapLayout::documentChanged(int from, int charsRemoved, int charsAdded) {
    QTextDocument* doc = document();
    const bool swaps = lettersOnly_ && charsRemoved == charsAdded && charsAdded > 0 &&
                       doc->blockCount() == blockCount_;
    lettersOnly_ = false;
    otherEdits_ = false;
    if (swaps) {
        // The changed paragraphs keep their line counts, so the document's
        // height stands. Those that kept their lines are shaped again only
        // where they are painted; the others are laid out again when shown.
        GiveBackLines();
        ++letterSwapUpdates_;
        emit update();
        return;
    }
    kept_.clear();
    QPlainTextDocumentLayout::documentChanged(from, charsRemoved, charsAdded);
    blockCount_ = doc->blockCount();
}

LetterSwapLayout* UseLetterSwapLayout(QPlainTextEdit& edit) {
    const QTextDocument* old = edit.document();
    auto* doc = new QTextDocument(&edit);
    auto* layout = new LetterSwapLayout(doc);
    doc->setDocumentLayout(layout);
    doc->setUndoRedoEnabled(old->isUndoRedoEnabled());
    doc->setDefaultFont(old->defaultFont());
    doc->setDefaultTextOption(old->defaultTextOption());
    doc->setDocumentMargin(old->documentMargin());
    doc->setPlainText(old->toPlainText());
    edit.setDocument(doc);
    return layout;
}

} // namespace umlo
