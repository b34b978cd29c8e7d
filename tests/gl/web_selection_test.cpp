// The browser's GL layer against the desktop's GL on the same scenes: its
// selection (hit records word for word), its matrices (bit for bit) and its
// mipmaps (byte for byte). The layer's parts that need no GL run here natively.

#include <cstring>
#include <random>
#include <vector>

#include "board/Piece.h"
#include "framework/sdl/web/gl11/Matrix.h"
#include "framework/sdl/web/gl11/Mipmap.h"
#include "framework/sdl/web/gl11/Polygons.h"
#include "framework/sdl/web/gl11/Selection.h"
#include "input/HitChoice.h"
#include "render/QuadMesh.h"
#include "tests/gl/BoardView.h"

namespace
{
const double PICK_REGION = 0.1; // pixels each way, as the game picks
const int BUFFER_WORDS = 1024;
// Desktop GL clips and divides in float in an order of its own (its vertex
// program may fuse a multiply and an add), so a clipped corner's depth may
// differ by a few steps of a float near 1, each 256 units of a depth word.
const uint32_t DEPTH_SLACK = 4 * 256;

struct Picked
{
    int hits = 0;
    std::vector<uint32_t> words;
};

void ExpectSameMatrix(const Matrix& layer, GLenum which, const char* what)
{
    float desktop[16];
    glGetFloatv(which, desktop);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(layer.m[i], desktop[i]) << what << " element " << i;
}

// The projection both sides pick through, at GL window point (x, y).
Matrix PickProjection(double x, double y, const GLint viewport[4])
{
    Matrix projection = IdentityMatrix();
    PickMatrix(projection, x, y, PICK_REGION, PICK_REGION, viewport);
    Perspective(projection, graphic.fieldOfView, double(viewport[2]) / viewport[3], graphic.zNear,
                graphic.zFar);
    return projection;
}

// The desktop: the game's board drawn by its own code in selection mode, with
// the projection CBoard::Pick sets up, into a buffer of `words`.
Picked DesktopPick(double x, double y, int words = BUFFER_WORDS, bool checkProjection = false)
{
    std::vector<GLuint> buffer(size_t(words) + 1, 0xDEADBEEF);
    GLint viewport[4];
    glSelectBuffer(words, buffer.data());
    glGetIntegerv(GL_VIEWPORT, viewport);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glRenderMode(GL_SELECT);
    glLoadIdentity();
    gluPickMatrix(x, y, PICK_REGION, PICK_REGION, viewport);
    gluPerspective(graphic.fieldOfView, double(viewport[2]) / viewport[3], graphic.zNear,
                   graphic.zFar);
    if (checkProjection)
        ExpectSameMatrix(PickProjection(x, y, viewport), GL_PROJECTION_MATRIX, "pick projection");
    glMatrixMode(GL_MODELVIEW);
    game.board.Draw();
    Picked picked;
    picked.hits = glRenderMode(GL_RENDER);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    picked.words = buffer;
    return picked;
}

// The layer: the same board walked as CBoard::Draw walks it, its quads
// transformed, assembled and selected by the layer's own parts.
Picked LayerPick(double x, double y, const Matrix& camera, const PolygonRules& rules,
                 int words = BUFFER_WORDS)
{
    std::vector<uint32_t> buffer(size_t(words) + 1, 0xDEADBEEF);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    const Matrix projection = PickProjection(x, y, viewport);
    Selection selection;
    selection.SetBuffer(buffer.data(), words);
    selection.Start();
    const auto quads = [&](const Matrix& model, const MeshCorner* mesh, int count, float scale)
    {
        const Matrix clip = Multiply(projection, model);
        ClipPoint points[24];
        for (int i = 0; i < count; ++i)
        {
            const float v[4] = {mesh[i].x * scale, mesh[i].y * scale, mesh[i].z * scale, 1};
            TransformPoint(clip, v, &points[i].x);
        }
        std::vector<uint16_t> triangles, lines;
        AssemblePolygons(true, points, count, rules, triangles, lines);
        for (size_t i = 0; i < triangles.size(); i += 3)
        {
            const ClipPoint corners[3] = {points[triangles[i]], points[triangles[i + 1]],
                                          points[triangles[i + 2]]};
            selection.AddTriangle(corners);
        }
        for (size_t i = 0; i < lines.size(); i += 2)
            selection.AddLine(points[lines[i]], points[lines[i + 1]]);
    };
    const CBoard& board = game.board;
    Matrix model = camera;
    selection.InitNames();
    selection.PushName(0);
    Translate(model, board.x, board.y, board.z);
    for (int index = 0; index < board.size * board.size; ++index)
    {
        const CSquare& square = board.squares[index];
        selection.LoadName(uint32_t(index));
        Matrix at = model;
        Translate(at, square.x, square.y, square.z);
        quads(at, SQUARE_MESH, 4, square.halfSize);
        if (square.occupied != 1)
            continue;
        const CPiece& piece = *square.piece;
        at = model;
        Translate(at, piece.x, piece.y + 0.6f, piece.z); // as CPiece::Draw lifts and
        Scale(at, 0.5f, 0.5f, 0.5f);                     // scales its cube
        Translate(at, piece.cube.x, piece.cube.y, piece.cube.z);
        quads(at, CUBE_MESH, 24, piece.cube.size);
    }
    selection.PopName();
    Picked picked;
    picked.hits = selection.Finish();
    picked.words = buffer;
    return picked;
}

// The camera matrix as CGame::DrawScene makes it, by the layer's math.
Matrix LayerCamera()
{
    Matrix camera = IdentityMatrix();
    const double eye[3] = {0, game.camHeight, game.camDistance}, centre[3] = {}, up[3] = {0, 1, 0};
    LookAt(camera, eye, centre, up);
    Rotate(camera, game.rotY, 0, 1, 0);
    Rotate(camera, game.rotX, 1, 0, 0);
    Rotate(camera, game.rotZ, 0, 0, 1);
    return camera;
}

struct DepthTally
{
    int compared = 0;
    int differing = 0;
    uint32_t largest = 0;
};

// Both buffers word for word, the depths of the desktop's records within
// DEPTH_SLACK, counted into `tally`.
void ExpectSameRecords(const Picked& layer, const Picked& desktop, const std::string& where,
                       DepthTally& tally)
{
    ASSERT_EQ(layer.hits, desktop.hits) << where;
    ASSERT_EQ(layer.words.size(), desktop.words.size());
    const size_t size = desktop.words.size() - 1; // one word past the buffer
    std::vector<bool> isDepth(size + 1, false);
    for (size_t record = 0; record + 2 < size && desktop.words[record] <= 64;
         record += 3 + desktop.words[record])
        isDepth[record + 1] = isDepth[record + 2] = true;
    for (size_t i = 0; i <= size; ++i)
    {
        const uint32_t a = layer.words[i], b = desktop.words[i];
        const uint32_t difference = a > b ? a - b : b - a;
        if (isDepth[i])
        {
            ++tally.compared;
            tally.differing += difference != 0;
            tally.largest = std::max(tally.largest, difference);
        }
        ASSERT_LE(difference, isDepth[i] ? DEPTH_SLACK : 0) << where << ", word " << i;
    }
}

using WebSelectionTest = BoardViewTest;

// Turned, tilted, zoomed, raised and lowered, on an empty board and one with
// pieces, filled and (three views) outlined: pointers on every square's
// centre, on its edge, in the gap beside it, on its piece's top, side and
// corner, and on a grid over the window give the same records on both sides.
// The camera and the pick projection agree bit for bit, and at the grid's
// whole pixels the layer's records choose the square CBoard::Pick chooses.
TEST_F(WebSelectionTest, PicksGiveTheDesktopsHitRecords)
{
    // clang-format off
    const struct { float rotY, rotX, rotZ, distance, height; bool pieces, outlined; } views[] = {
        {0, 0, 0, 15, 15, false, false},   {0, 0, 0, 15, 15, true, false},
        {37, 10, 0, 15, 15, true, false},  {90, 0, 0, 15, 15, false, false},
        {200, -25, 0, 12, 9, true, false}, {0, 60, 0, 15, 15, true, false},
        {120, 5, 15, 15, 15, true, false}, {300, 0, 0, 4, 6, true, false},
        {45, 0, 0, 45, 15, false, false},  {10, 0, 0, 15, 30, true, false},
        {70, 0, 0, 14, 0.5f, true, false}, {0, 0, 0, 15, 15, true, true},
        {37, 10, 0, 15, 15, false, true},  {300, 0, 0, 4, 6, true, true}};
    // clang-format on
    DepthTally tally;
    int picks = 0, hitPicks = 0;
    for (const auto& view : views)
    {
        game.board.ClearPieces();
        for (int i = 0; i < 81 && view.pieces; ++i)
            if (i % 3 != 0)
                game.board.PlacePiece(i, static_cast<unsigned char>(i % 2));
        game.rotY = view.rotY;
        game.rotX = view.rotX;
        game.rotZ = view.rotZ;
        game.camDistance = view.distance;
        game.camHeight = view.height;
        DrawFrame();
        const Matrix camera = LayerCamera();
        ExpectSameMatrix(camera, GL_MODELVIEW_MATRIX, "camera");
        const GLenum mode = view.outlined ? GL_LINE : GL_FILL;
        glPolygonMode(GL_FRONT_AND_BACK, mode);
        PolygonRules rules;
        rules.outlineFront = rules.outlineBack = view.outlined;

        std::vector<WinPoint> points;
        for (int i = 0; i < 81; ++i)
        {
            for (const double dx : {0.0, 1.0, 1.05})
                points.push_back(SquarePoint(i, dx, 0, dx > 0 ? 0.3 : 0));
            if (game.board.squares[i].occupied)
                for (const double corner : {0.0, 0.5})
                    points.push_back(SquarePoint(i, corner, 1.1, corner));
        }
        const size_t wholePixels = points.size();
        for (int x = 8; x < screenWidth; x += 48)
            for (int y = 8; y < screenHeight; y += 48)
                points.push_back({double(x), double(y)});
        for (size_t k = 0; k < points.size(); ++k)
        {
            const WinPoint p = points[k];
            if (p.x < 0 || p.y < 0 || p.x > screenWidth || p.y > screenHeight)
                continue;
            const Picked desktop = DesktopPick(p.x, p.y, BUFFER_WORDS, k == 0);
            const Picked layer = LayerPick(p.x, p.y, camera, rules);
            ++picks;
            hitPicks += desktop.hits > 0;
            ExpectSameRecords(layer, desktop,
                              "view " + std::to_string(&view - views) + " at " +
                                  std::to_string(p.x) + ", " + std::to_string(p.y),
                              tally);
            if (k >= wholePixels)
            {
                EXPECT_EQ(ChooseHit(layer.words.data(), layer.hits),
                          game.board.Pick(int(p.x), screenHeight - int(p.y)));
            }
            if (HasFailure())
                return;
        }
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    }
    EXPECT_GT(hitPicks, picks / 2);
    std::printf("%d picks, %d with hits; %d of %d depths differ, by at most %u\n", picks, hitPicks,
                tally.differing, tally.compared, tally.largest);
}

// A buffer too small for all records: both sides answer -1 and fill the
// buffer alike, not a word beyond it.
TEST_F(WebSelectionTest, AnOverflowingBufferGivesMinusOneAndWhatFits)
{
    for (int i = 0; i < 81; ++i)
        game.board.PlacePiece(i, static_cast<unsigned char>(i % 2));
    game.camHeight = 0.5f; // along the board, the pointer crosses a whole row
    DrawFrame();
    const WinPoint p = SquarePoint(40, 0, 0.6);
    DepthTally tally;
    for (const int words : {4, 9, 10, 13})
    {
        const Picked desktop = DesktopPick(p.x, p.y, words);
        EXPECT_EQ(desktop.hits, -1) << words;
        ExpectSameRecords(LayerPick(p.x, p.y, LayerCamera(), PolygonRules(), words), desktop,
                          std::to_string(words) + " words", tally);
    }
}

// A triangle on the far plane (window depth 1), one just before it and one on
// the near plane. Desktop GL (Mesa 22) scales depth 1 past the largest word
// and writes 0, which would make the farthest hit the nearest; the layer
// writes the largest word. The rest agree word for word.
TEST_F(WebSelectionTest, AHitOnTheFarPlaneIsTheFarthest)
{
    const float depths[3] = {1.0f, 0.999f, -1.0f}; // clip z with w = 1
    GLuint desktop[12] = {};
    glSelectBuffer(12, desktop);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0);
    uint32_t layer[12] = {};
    Selection selection;
    selection.SetBuffer(layer, 12);
    selection.Start();
    selection.InitNames();
    selection.PushName(0);
    for (const float z : depths)
    {
        glLoadName(z > 0 ? 1 : 2);
        selection.LoadName(z > 0 ? 1 : 2);
        // Under identities, in clip coordinates; from an array, as a glBegin
        // in selection mode holds memory in Mesa until the context goes.
        const GLfloat corners[3][3] = {{-0.5f, -0.5f, z}, {0.5f, -0.5f, z}, {0.0f, 0.5f, z}};
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, corners);
        glDrawArrays(GL_TRIANGLES, 0, 3);
        glDisableClientState(GL_VERTEX_ARRAY);
        const ClipPoint clipped[3] = {{-0.5f, -0.5f, z, 1}, {0.5f, -0.5f, z, 1}, {0, 0.5f, z, 1}};
        selection.AddTriangle(clipped);
    }
    EXPECT_EQ(glRenderMode(GL_RENDER), 3);
    EXPECT_EQ(selection.Finish(), 3);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    const std::vector<uint32_t> desktopWords(desktop, desktop + 12), layerWords(layer, layer + 12);
    std::vector<uint32_t> expected = desktopWords;
    expected[1] = expected[2] = 0xFFFFFFFFu;
    EXPECT_EQ(layerWords, expected);
    std::printf("desktop GL's depth words on the far plane: %u, %u\n", desktopWords[1],
                desktopWords[2]);
    EXPECT_GT(layerWords[5], 4290000000u); // depth 0.9995, before the far plane
    EXPECT_EQ(layerWords[9], 0u);          // the near plane
}

// gluBuild2DMipmaps of random pictures, each side a power of two or not (then
// rescaled first), one side 1 or both above 1: every level's size and bytes.
TEST_F(WebSelectionTest, MipmapsAreGlusLevelForLevel)
{
    std::mt19937 random(24);
    const int sizes[][2] = {{8, 8}, {16, 4}, {8, 1}, {1, 4}, {5, 3}, {12, 6}, {3, 7}, {100, 24}};
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    for (const auto& size : sizes)
    {
        std::vector<uint8_t> image(size_t(size[0]) * size[1] * 4);
        for (uint8_t& byte : image)
            byte = static_cast<uint8_t>(random());
        GLuint id = 0;
        glGenTextures(1, &id);
        glBindTexture(GL_TEXTURE_2D, id);
        ASSERT_EQ(gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, size[0], size[1], GL_RGBA,
                                    GL_UNSIGNED_BYTE, image.data()),
                  0);
        const std::vector<MipLevel> levels =
            BuildMipmaps(image.data(), size[0], size[1], 4, size[0] * 4, maxSize);
        GLint width = 0, height = 0, level = 0;
        for (;; ++level)
        {
            glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
            glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &height);
            if (width == 0 || size_t(level) >= levels.size())
                break;
            const MipLevel& mine = levels[size_t(level)];
            ASSERT_EQ(mine.width, width) << size[0] << " x " << size[1] << ", level " << level;
            ASSERT_EQ(mine.height, height) << size[0] << " x " << size[1] << ", level " << level;
            std::vector<uint8_t> desktop(size_t(width) * height * 4);
            glPixelStorei(GL_PACK_ALIGNMENT, 1);
            glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, desktop.data());
            for (size_t i = 0; i < desktop.size(); ++i)
                ASSERT_EQ(int(mine.pixels[i]), int(desktop[i]))
                    << size[0] << " x " << size[1] << ", level " << level << ", byte " << i;
        }
        EXPECT_EQ(width, 0) << "the desktop has more levels";
        EXPECT_EQ(size_t(level), levels.size());
        glDeleteTextures(1, &id);
    }
}
} // namespace
