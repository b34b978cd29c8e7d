#include "board/Board.h"
#include "board/Constants.h"
#include "board/Piece.h"

namespace
{
const int EMPTY = -1;
const int PAIRS_IN_FIVE = 4; // five equal squares in a row are four equal neighbour pairs

// One line being walked: the previous square's value and the equal pairs so far.
struct Run
{
    int previous = EMPTY;
    int pairs = 0;

    // Counts square value v into the run; true when it ends five in a row.
    bool Add(int v)
    {
        if (v == previous && previous != EMPTY)
            ++pairs;
        else
            pairs = 0;
        return pairs == PAIRS_IN_FIVE;
    }
};

int ValueOf(const CSquare& square)
{
    return square.occupied != 0 ? square.piece->owner : EMPTY;
}

// Walks `length` squares from `start`, `step` indices apart; the owner of the
// first five in a row, or -1.
int WalkLine(const CSquare* squares, int start, int step, int length)
{
    Run run;
    for (int i = 0, index = start; i < length; ++i, index += step)
    {
        const int v = ValueOf(squares[index]);
        if (run.Add(v))
            return v;
        run.previous = v;
    }
    return EMPTY;
}
} // namespace

int CBoard::CheckWinner()
{
    int r = CheckRowsAndColumns();
    if (r != RESULT_NONE)
        return r;
    r = CheckDiagonals();
    if (r != RESULT_NONE)
        return r;
    return CheckFull();
}

int CBoard::CheckRowsAndColumns()
{
    if (size < 1)
        return EMPTY;
    for (int i = 0; i < size; ++i)
    {
        Run row;
        Run column;
        for (int j = 0; j < size; ++j)
        {
            const int rowValue = ValueOf(squares[size * i + j]);
            const int columnValue = ValueOf(squares[size * j + i]);
            const bool rowWins = row.Add(rowValue);
            const bool columnWins = column.Add(columnValue);
            if (rowWins)
                return rowValue;
            if (columnWins)
                return columnValue;
            row.previous = rowValue;
            column.previous = columnValue;
        }
    }
    return EMPTY;
}

int CBoard::CheckDiagonals()
{
    const int n = size;
    int r = EMPTY;
    // Lines of constant row + column, from the top edge down-left to column 0...
    for (int s = 2; s <= n - 1 && r == EMPTY; ++s)
        r = WalkLine(squares, s, n - 1, s + 1);
    // ...and from the bottom edge up-right to column n - 1.
    for (int c = 1; c <= n - 3 && r == EMPTY; ++c)
        r = WalkLine(squares, n * (n - 1) + c, -(n - 1), n - c);
    // Lines of constant column - row, from the top edge down-right...
    for (int s = 0; s <= n - 3 && r == EMPTY; ++s)
        r = WalkLine(squares, s, n + 1, n - s);
    // ...and from the left edge down-right.
    for (int row = 1; row <= n - 3 && r == EMPTY; ++row)
        r = WalkLine(squares, n * row, n + 1, n - row);
    return r;
}

int CBoard::CheckFull()
{
    return pieceCount == size * size ? RESULT_DRAW : RESULT_NONE;
}
