// The modified marker lives with the documents, for the dictionary editor too.
#pragma once

#include "documents/window_caption.h"
