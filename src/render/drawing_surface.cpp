#include "render/drawing_surface.h"

namespace render {

void Drawing_Surface::Characters(const Run_Font& font, const std::vector<Placed_Character>& characters)
{
    for (const Placed_Character& placed : characters)
        Text(font, placed.corner.x(), placed.corner.y(), QString(placed.character));
}

Surface_Profile Printer_Profile(int dpi_x, int dpi_y)
{
    Surface_Profile profile;
    profile.printer = true;
    profile.rx = dpi_x;
    profile.ry = dpi_y;
    profile.factor = 1;
    profile.units_per_mm = kPrinterUnitsPerMm;
    profile.twips_per_pixel_x = 1440.0 / dpi_x;
    profile.twips_per_pixel_y = 1440.0 / dpi_y;
    return profile;
}

Surface_Profile Preview_Profile(int screen_ppi, bool editing_screen)
{
    Surface_Profile profile;
    profile.printer = false;
    profile.rx = screen_ppi;
    profile.ry = screen_ppi;
    profile.factor = 2;
    profile.twips_per_pixel_x = 1440.0 / screen_ppi;
    profile.twips_per_pixel_y = profile.twips_per_pixel_x;
    double pixels_per_mm = screen_ppi / 25.4;
    if (editing_screen)
        pixels_per_mm = screen_ppi == 96 ? 3.78 : 4.725;
    profile.units_per_mm = pixels_per_mm * profile.twips_per_pixel_x * 2;
    profile.barcode_digit_offset_mm = editing_screen ? 1.0 : 0.7;
    return profile;
}

}  // namespace render
