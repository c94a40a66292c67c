#include "app/TForm1.h"
#include "core/Screen.h"
#include "log/MapView.h"
#include "log/OsmMap.h"
#include "support/StandInServices.h"

#include "MapFiles.h"

#include <gtest/gtest.h>

#include <optional>

using namespace MapFiles;

namespace {

std::optional<bool> createIn(TForm1 &form)
{
    std::optional<bool> result;
    form.map().create(form.page(Screen::SetLog), [&](bool ok) { result = ok; });
    waitUntil([&] { return result.has_value(); });
    return result;
}

// A map that only counts its creations: what a test of the drivers log hands in.
class CountingMap : public MapComponent {
public:
    void create(QWidget *, std::function<void(bool)> done) override
    {
        ++creations;
        done(false);
    }
    QWidget *view() const override { return nullptr; }
    bool centre(double, double, double) override { return false; }
    bool setAltitude(double) override { return false; }
    bool pan(int, double) override { return false; }
    QString placeAt(double, double) override { return {}; }
    int creations = 0;
};

} // namespace

TEST(WindowMap, ReadsTheMapFileInTheProgramDirectory)
{
    TempDir dir;
    ASSERT_TRUE(oneStreet().write(dir.file("map.osm.pbf")));
    TForm1 form(dir.path(), standInServices());
    EXPECT_EQ(createIn(form), std::optional<bool>(true));
    EXPECT_EQ(form.map().placeAt(Lat, Lon), "Mill Street, Lowbridge");
    EXPECT_EQ(form.map().view()->parentWidget(), form.page(Screen::SetLog));
}

TEST(WindowMap, ReadsTheMapFileTheSettingsName)
{
    TempDir dir;
    dir.mkdir("maps");
    ASSERT_TRUE(oneStreet().write(dir.file("maps/region.osm")));
    dir.write("Rovana.ini", "[Map]\nFile=" + dir.file("maps/region.osm").toUtf8() + "\n");
    TForm1 form(dir.path(), standInServices());
    EXPECT_EQ(createIn(form), std::optional<bool>(true));
    EXPECT_EQ(form.map().placeAt(Lat, Lon), "Mill Street, Lowbridge");
}

TEST(WindowMap, TheSettingsChooseTheNightLook)
{
    for (const bool night : {false, true}) {
        TempDir dir;
        ASSERT_TRUE(oneStreet().write(dir.file("map.osm.pbf")));
        if (night)
            dir.write("Rovana.ini", "[Map]\nNight=1\n");
        TForm1 form(dir.path(), standInServices());
        ASSERT_EQ(createIn(form), std::optional<bool>(true));
        const auto *view = qobject_cast<const MapView *>(form.map().view());
        ASSERT_TRUE(view);
        const MapPalette expected = night ? MapPalette::night() : MapPalette::day();
        EXPECT_EQ(view->mapPalette().land, expected.land);
        EXPECT_EQ(view->mapPalette().area(AreaKind::Water), expected.area(AreaKind::Water));
    }
}

TEST(WindowMap, WithoutAMapFileTheCreationFails)
{
    TempDir dir;
    TForm1 form(dir.path(), standInServices());
    EXPECT_EQ(createIn(form), std::optional<bool>(false));
    EXPECT_EQ(form.map().placeAt(Lat, Lon), "");
}

TEST(WindowMap, TakesTheMapItIsHanded)
{
    TempDir dir;
    ASSERT_TRUE(oneStreet().write(dir.file("map.osm.pbf")));
    Services services;
    auto map = std::make_unique<CountingMap>();
    CountingMap &counting = *map;
    services.map = std::move(map);
    TForm1 form(dir.path(), standInServices(std::move(services)));
    EXPECT_EQ(createIn(form), std::optional<bool>(false));
    EXPECT_EQ(counting.creations, 1);
}
