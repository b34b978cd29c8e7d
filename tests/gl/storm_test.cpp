#include <random>

#include "framework/Events.h"
#include "tests/gl/BoardView.h"

namespace
{
using StormTest = GameGLTest;

// About 15000 random events through the framework, a frame after each batch as
// the message loop runs one when the queue is empty. After every frame at most
// one square is marked, pieceCount counts the occupied squares, each of which
// holds a piece, and no piece comes after a result until N.
TEST_F(StormTest, RandomInputKeepsTheGameConsistent)
{
    game.state = STATE_INIT;
    ASSERT_TRUE(game.Tick() && game.Tick()); // Init registers the callbacks; NewGame
    graphic.paceFrames = false;
    std::mt19937 random(6);
    const WindowEventType TYPES[] = {EVENT_MOUSE_MOVE,  EVENT_MOUSE_MOVE,  EVENT_MOUSE_MOVE,
                                     EVENT_BUTTON_DOWN, EVENT_BUTTON_DOWN, EVENT_BUTTON_DOWN,
                                     EVENT_BUTTON_UP,   EVENT_KEY_DOWN,    EVENT_WHEEL};
    const int KEYS[] = {'C', 'D', 'E', 'F', 'H', 'S', 'T', 'W', 'A', 'Z', 27, 0x1FF};
    int framesAfterAResult = 0;
    for (int frame = 0; frame < 2000; ++frame)
    {
        const int result = game.result, pieces = game.board.pieceCount;
        // N now and then at random, and always 10 frames into a result: the
        // last event of the batch, which is otherwise one that does nothing.
        bool newGame = result != RESULT_NONE && ++framesAfterAResult % 10 == 0;
        for (int n = random() % 16; n >= 0; --n)
        {
            WindowEvent event{};
            event.type = n > 0 ? TYPES[random() % 9] : newGame ? EVENT_KEY_DOWN : EVENT_OTHER;
            // Mostly aimed at a square as the last frame drew it, else anywhere,
            // some outside the window.
            const WinPoint aim = SquarePoint(int(random() % 81));
            const bool aimed = random() % 4 != 0;
            event.x = aimed ? ClientX(aim) : int(random() % (screenWidth + 40)) - 20;
            event.y = aimed ? ClientY(aim) : int(random() % (screenHeight + 40)) - 20;
            event.button = random() % 8 ? MOUSE_LEFT : MOUSE_RIGHT;
            event.key = n == 0 || random() % 2000 == 0 ? 'N' : KEYS[random() % 12];
            event.wheelDelta = random() % 3 ? -120 : 120; // more often nearer: more placing
            newGame = newGame || (event.type == EVENT_KEY_DOWN && event.key == 'N');
            DispatchEvent(event);
        }
        ASSERT_TRUE(game.Tick());
        int marked = 0, occupied = 0;
        for (int i = 0; i < 81; ++i)
        {
            const CSquare& square = game.board.squares[i];
            marked += square.displayState == SQUARE_MARKED;
            occupied += square.occupied;
            ASSERT_EQ(square.occupied != 0, square.piece != nullptr) << "square " << i;
        }
        ASSERT_LE(marked, 1) << "frame " << frame;
        ASSERT_EQ(game.board.pieceCount, occupied) << "frame " << frame;
        if (result != RESULT_NONE && !newGame)
        {
            ASSERT_EQ(game.board.pieceCount, pieces) << "frame " << frame;
        }
    }
    EXPECT_GT(framesAfterAResult, 0); // games did end: the last check ran
    graphic.paceFrames = true;
    game.showHelp = game.showCredits = 0;
}
} // namespace
