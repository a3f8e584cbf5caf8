#include "board/qor_board_view.h"

#include "board/effects/qor_well_sfx.h"

QORWellSFX* QORBoardView::GetGameEffects() const { return static_cast<QORWellSFX*>(effects_); }
