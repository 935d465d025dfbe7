// What a run writes, piece by piece: frames turned from GL's row order and
// cut, the video's crop or scale with the even sides H.264 needs, and files
// written whole or not at all.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "outputs/Image.h"
#include "outputs/OutputFile.h"
#include "outputs/Video.h"

using namespace sim;
namespace fs = std::filesystem;

namespace {

std::string Read(const fs::path &p)
{
    std::ifstream in(p);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool Inside(const PixelBox &b, int w, int h)
{
    return b.x >= 0 && b.y >= 0 && b.w > 0 && b.h > 0 && b.x + b.w <= w && b.y + b.h <= h;
}

}  // namespace

TEST(Framing, FramesTurnedFromGlOrderAndCutKeepTheirPixels)
{
    // 3 x 2 pixels as glReadPixels gives them, bottom row first; each
    // pixel's red is 10 * x + the row counted from the bottom.
    std::vector<uint8_t> gl(3 * 2 * 4);
    for (int row = 0; row < 2; ++row)
        for (int x = 0; x < 3; ++x) {
            uint8_t *p = &gl[size_t(row * 3 + x) * 4];
            p[0] = uint8_t(10 * x + row), p[1] = 7, p[2] = 9, p[3] = 255;
        }
    const Image img = Image::fromBottomUp(3, 2, gl);
    EXPECT_EQ(img.at(2, 0)[0], 21);  // the top row is GL's last
    EXPECT_EQ(img.at(2, 1)[0], 20);
    const Image cut = img.cropped({1, 1, 2, 1});
    ASSERT_EQ(cut.width, 2);
    ASSERT_EQ(cut.height, 1);
    EXPECT_EQ(cut.at(0, 0)[0], 10);
    EXPECT_EQ(cut.at(1, 0)[0], 20);
    const std::vector<uint8_t> rgb = cut.rgb();
    EXPECT_EQ(rgb, (std::vector<uint8_t>{10, 7, 9, 20, 7, 9}));
}

TEST(Framing, VideoCropsHaveEvenSidesInsideTheScreenAndHoldThePanel)
{
    const struct {
        int w, h;
        PixelBox panel;
    } cases[] = {
        {640, 400, {10, 20, 101, 51}},   // odd sides with room to grow
        {640, 400, {539, 349, 101, 51}}, // odd sides against the right and bottom edges
        {641, 401, {0, 0, 641, 401}},    // the whole of an odd screen
        {640, 400, {0, 0, 1, 1}},
    };
    for (const auto &c : cases) {
        const auto box = VideoCrop("panel", c.w, c.h, &c.panel, true);
        ASSERT_TRUE(box);
        EXPECT_TRUE(Inside(*box, c.w, c.h)) << box->x << "," << box->y << " " << box->w << "x" << box->h;
        EXPECT_EQ(box->w % 2, 0);
        EXPECT_EQ(box->h % 2, 0);
        if (c.panel.w < c.w && c.panel.h < c.h) {
            EXPECT_LE(box->x, c.panel.x);
            EXPECT_LE(box->y, c.panel.y);
            EXPECT_GE(box->x + box->w, c.panel.x + c.panel.w);
            EXPECT_GE(box->y + box->h, c.panel.y + c.panel.h);
        }
    }
    // The filter ffmpeg is given: crop=W:H:X:Y, or the scale of --video-size WxH.
    const PixelBox panel{10, 20, 101, 51};
    EXPECT_EQ(VideoFilter("panel", 640, 400, &panel, true), "crop=102:52:10:20");
    EXPECT_EQ(VideoFilter("panel", 640, 400, &panel, false), "crop=101:51:10:20");  // a GIF takes odd sides
    EXPECT_EQ(VideoFilter("1280x720", 640, 400, nullptr, true), "scale=1280:720:flags=lanczos");
    EXPECT_EQ(VideoFilter("", 641, 401, nullptr, true), "crop=640:400:0:0");
    EXPECT_EQ(VideoFilter("", 640, 400, nullptr, true), "");
    EXPECT_EQ(VideoFilter("panel", 640, 400, nullptr, true), "");  // no window shown: the whole screen
    EXPECT_TRUE(IsGif("a.gif"));
    EXPECT_FALSE(IsGif("a.gif.mp4"));
    EXPECT_FALSE(IsGif(".gif"));
}

TEST(OutputFile, WrittenWholeOrNotAtAll)
{
    const fs::path dir = fs::path(testing::TempDir()) / ("flyer-sim-output-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const fs::path target = dir / "a.png";
    std::ofstream(target) << "old";
    {
        OutputFile f(target.string());
        EXPECT_FALSE(f.inPlace());
        EXPECT_EQ(fs::path(f.path()).parent_path(), dir);
        EXPECT_EQ(fs::path(f.path()).extension(), ".png");
        std::ofstream(f.path()) << "half";
    }
    EXPECT_EQ(Read(target), "old") << "an output not committed replaced the file";
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1) << "its temporary file stayed";

    const fs::path link = dir / "link.png";
    fs::create_symlink(target, link);
    {
        OutputFile f(link.string());
        std::ofstream(f.path()) << "new";
        f.commit();
        f.commit();  // once is enough
    }
    EXPECT_TRUE(fs::is_symlink(link)) << "the link was replaced, not the file it names";
    EXPECT_EQ(Read(target), "new");

    OutputFile device("/dev/null");
    EXPECT_TRUE(device.inPlace());
    EXPECT_EQ(device.path(), "/dev/null");

    OutputFile gone((dir / "no-such-folder" / "b.png").string());
    EXPECT_THROW(gone.commit(), std::runtime_error);  // nothing was written to put in place
    fs::remove_all(dir);
}
