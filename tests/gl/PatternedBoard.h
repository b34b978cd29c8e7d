#pragma once

#include "app/Game.h"
#include "board/Constants.h"

// Every fourth square marked, pieces on the even rows (red in columns 1, 4, 7,
// green in 2, 5, 8); owners[i] is the piece's owner, or -1 for none.
inline void LayPatternedBoard(CBoard& board, int owners[81])
{
    for (int i = 0; i < 81; ++i)
    {
        owners[i] = i / 9 % 2 == 1 || i % 3 == 0 ? -1 : i % 3 == 1;
        board.squares[i].displayState = i % 4 == 0 ? SQUARE_MARKED : SQUARE_NORMAL;
        if (owners[i] >= 0)
            board.PlacePiece(i, static_cast<unsigned char>(owners[i]));
    }
}
