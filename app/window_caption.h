// The modified marker lives with the documents, for the dictionary editor
// too; the caption goes on screen as the dictionary editor's does.
#pragma once

#include "dicedit/window_title.h"
#include "documents/window_caption.h"
