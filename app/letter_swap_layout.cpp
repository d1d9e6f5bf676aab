#include "app/letter_swap_layout.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace umlo {

LetterSwapLayout::LetterSwapLayout(QTextDocument* document) : QPlainTextDocumentLayout(document) {}

void LetterSwapLayout::ExpectLetterSwapAt(int position) {
    lettersOnly_ = !otherEdits_;
    QTextLayout* lines = document()->findBlock(position).layout();
    if (lines != nullptr && lines->lineCount() > kManyLines) {
        lines->clearLayout();
    }
}

void LetterSwapLayout::documentChanged(int from, int charsRemoved, int charsAdded) {
    QTextDocument* doc = document();
    const bool swaps = lettersOnly_ && charsRemoved == charsAdded && charsAdded > 0 &&
                       doc->blockCount() == blockCount_;
    lettersOnly_ = false;
    otherEdits_ = false;
    if (swaps) {
        // The changed paragraphs keep their line counts, so the document's
        // height stands; each is laid out again when it is painted (its old
        // layout was dropped by the change itself).
        ++letterSwapUpdates_;
        emit update();
        return;
    }
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
