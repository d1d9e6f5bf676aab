// The editor's layout, aware that a pass only swaps letters one for one.
//
// QPlainTextDocumentLayout lays a changed paragraph out twice when an edit
// block closes (once to learn its old height, once for the new one): for a
// paragraph of hundreds of thousands of characters that is most of what a
// pass costs in the window. When the buffer says the edits were letters
// replaced by letters as wide as they were, the paragraphs keep their lines
// as they are; a letter of another width has its paragraph laid out once,
// lazily, when it is next shown; anything else takes Qt's own path.
#pragma once

#include <QPlainTextDocumentLayout>

#include <vector>

class QPlainTextEdit;
class QTextBlock;

namespace umlo {

class LetterSwapLayout : public QPlainTextDocumentLayout {
    Q_OBJECT
public:
    explicit LetterSwapLayout(QTextDocument* document);
    ~LetterSwapLayout() override;

    // The next change the document reports replaces characters one for one,
    // within the paragraphs, in ways that leave the paragraph's line count
    // alone; position is where the next one is, sameWidth says the new
    // character is exactly as wide as the old one, so every line keeps its
    // place and width. (A font that kerns the old letter with its
    // neighbours and not the marked new one can leave a kept line a pixel
    // off what a fresh layout gives, until the paragraph is next laid out.)
    void ExpectLetterSwapAt(int position, bool sameWidth);
    // Any other edit before that change makes it an ordinary one.
    void NoteOtherEdit();
    // How many changes took the short path (for the tests).
    int LetterSwapUpdates() const { return letterSwapUpdates_; }
    // How many paragraphs got their lines back after swaps (for the tests).
    int KeptParagraphs() const { return keptParagraphs_; }

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override;

private:
    // Qt walks every line of a paragraph on each change of its text: a
    // paragraph of thousands of lines drops its lines before the first swap
    // and is laid out again, once, when it is next needed.
    static constexpr int kManyLines = 64;

    // A paragraph's lines, taken from its layout for the swaps of one edit
    // block and given back when it closes.
    struct KeptLines;
    void KeepLines(const QTextBlock& block);
    void GiveBackLines();

    std::vector<KeptLines> kept_;
    bool lettersOnly_ = false;
    bool otherEdits_ = false;
    int blockCount_ = -1;
    int letterSwapUpdates_ = 0;
    int keptParagraphs_ = 0;
};

// Gives the editor a document of its own laid out by LetterSwapLayout,
// keeping the old document's settings; returns the layout (owned by the
// document, which the editor owns).
LetterSwapLayout* UseLetterSwapLayout(QPlainTextEdit& edit);

} // namespace umlo
