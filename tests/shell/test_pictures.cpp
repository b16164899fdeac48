#include <QColor>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/vb/Folders.h"
#include "shell/OpeningScreen.h"

namespace {

// Relative luminance of a colour (sRGB), 0 black to 1 white.
double Luminance(QRgb rgb) {
  auto channel = [](int v) {
    const double c = v / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(qRed(rgb)) + 0.7152 * channel(qGreen(rgb)) + 0.0722 * channel(qBlue(rgb));
}

class BackgroundPictureTest : public ::testing::TestWithParam<int> {};

// Black text keeps a contrast of at least 12:1 on every pixel of every picture, and
// the picture stays quiet: its darkest and lightest parts lie close together.
TEST_P(BackgroundPictureTest, IsAQuietJpegThatKeepsDarkTextReadable) {
  const std::string file = vb::ShareFolderPath() + "/kz" + std::to_string(GetParam()) + ".jpg";
  QImage image;
  ASSERT_TRUE(image.load(QString::fromStdString(file), "JPEG")) << file;
  EXPECT_GE(image.width(), 800);
  EXPECT_GE(image.height(), 600);
  std::vector<double> lum;
  for (int y = 0; y < image.height(); y += 3)
    for (int x = 0; x < image.width(); x += 3) lum.push_back(Luminance(image.pixel(x, y)));
  std::sort(lum.begin(), lum.end());
  const double darkest = lum.front();
  const double lightest = lum.back();
  EXPECT_GE((darkest + 0.05) / 0.05, 12.0) << file;
  EXPECT_LT((lightest + 0.05) / (darkest + 0.05), 1.6) << file << " " << darkest << " " << lightest;
}

TEST(BackgroundPictures, AreEightDifferentPictures) {
  std::vector<QImage> images;
  for (int n = 1; n <= 8; ++n) images.emplace_back(QString::fromStdString(vb::ShareFolderPath() + "/kz" + std::to_string(n) + ".jpg"));
  for (size_t i = 0; i < images.size(); ++i)
    for (size_t j = i + 1; j < images.size(); ++j) EXPECT_NE(images[i], images[j]) << i + 1 << " and " << j + 1;
}

INSTANTIATE_TEST_SUITE_P(Shell, BackgroundPictureTest, ::testing::Range(1, 9));

// The opening screen's text: a description of seven sentences on one line, the
// credits, three line breaks, then the terms of use between two rules.
TEST(OpeningScreenText, KeepsItsParagraphsInOrder) {
  const std::string text = shell::fOpeningScreenText();
  std::vector<std::string> parts;
  for (size_t from = 0;;) {
    const size_t at = text.find("\n\r", from);
    parts.push_back(text.substr(from, at == std::string::npos ? std::string::npos : at - from));
    if (at == std::string::npos) break;
    from = at + 2;
  }
  ASSERT_EQ(parts.size(), 7u);
  const std::string& description = parts[0];
  EXPECT_EQ(std::count(description.begin(), description.end(), '.'), 7) << description;
  EXPECT_EQ(description.find_first_of("\r\n"), std::string::npos);
  EXPECT_NE(description.find("Velmora"), std::string::npos);
  EXPECT_NE(parts[1].find("Velmora"), std::string::npos) << "the credits";
  EXPECT_EQ(parts[2], "");
  EXPECT_EQ(parts[3], "");
  EXPECT_EQ(parts[4], "------------");
  EXPECT_NE(parts[5].find("\"I Accept\""), std::string::npos) << "the terms";
  EXPECT_EQ(parts[6], "------------");
}

}  // namespace
