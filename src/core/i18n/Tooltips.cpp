#include "core/i18n/Tooltips.h"

#include "core/i18n/Language.h"
#include "core/i18n/WindowTexts.h"

namespace tessaly {

const std::array<TooltipPlace, 69> kTooltipPlaces = {{
    // Images tab: the face slots, the book slots and the book choice
    {"mForm.BitBtn4.Hint", "tipselect"},
    {"mForm.BitBtn8.Hint", "tipselect"},
    {"mForm.BitBtn11.Hint", "tipselect"},
    {"mForm.BitBtn16.Hint", "tipselect"},
    {"mForm.BitBtn20.Hint", "tipselect"},
    {"mForm.BitBtn23.Hint", "tipselect"},
    {"mForm.BitBtn5.Hint", "tipedit"},
    {"mForm.BitBtn9.Hint", "tipedit"},
    {"mForm.BitBtn12.Hint", "tipedit"},
    {"mForm.BitBtn17.Hint", "tipedit"},
    {"mForm.BitBtn21.Hint", "tipedit"},
    {"mForm.BitBtn24.Hint", "tipedit"},
    {"mForm.BitBtn6.Hint", "tiprefresh"},
    {"mForm.BitBtn7.Hint", "tiprefresh"},
    {"mForm.BitBtn10.Hint", "tiprefresh"},
    {"mForm.BitBtn18.Hint", "tiprefresh"},
    {"mForm.BitBtn19.Hint", "tiprefresh"},
    {"mForm.BitBtn22.Hint", "tiprefresh"},
    {"mForm.BitBtn26.Hint", "tipbooks"},
    {"mForm.SB1.Hint", "tipbook"},
    {"mForm.SB2.Hint", "tipbook"},
    {"mForm.SB3.Hint", "tipbook"},
    {"mForm.SB4.Hint", "tipbook"},
    {"mForm.BitBtn25.Hint", "tipboxback"},
    // eCover tab
    {"mForm.ScrollBar4.Hint", "tipcoverrotate"},
    {"mForm.ScrollBar5.Hint", "tiprollz"},
    {"mForm.ScrollBar10.Hint", "tiprollx"},
    {"mForm.ScrollBar6.Hint", "tipcoverlift"},
    {"mForm.BWidthSB.Hint", "tipwidth"},
    {"mForm.BHeightSB.Hint", "tipheight"},
    {"mForm.BDepthSB.Hint", "tipdepth"},
    {"mForm.caseAngleSB.Hint", "tipcaseangle"},
    {"mForm.SpineShape.Hint", "tipswatch"},
    {"mForm.BitBtn27.Hint", "tipcolor"},
    {"mForm.SpiralShape.Hint", "tipswatch"},
    {"mForm.BitBtn28.Hint", "tipcolor"},
    // Floor tab
    {"mForm.BitBtn14.Hint", "tipselect"},
    {"mForm.BitBtn15.Hint", "tipedit"},
    {"mForm.BitBtn13.Hint", "tiprefresh"},
    {"mForm.FloorCheckBox.Hint", "tipfloortexture"},
    {"mForm.ReflexionSB.Hint", "tipreflexion"},
    {"mForm.ReflFadeSB.Hint", "tipreflfade"},
    {"mForm.FloorShape.Hint", "tipswatch"},
    {"mForm.BitBtn3.Hint", "tipcolor"},
    // Scene tab
    {"mForm.distanceSB.Hint", "tipdistance"},
    {"mForm.rotateSB.Hint", "tiprotate"},
    {"mForm.liftSB.Hint", "tiplift"},
    {"mForm.ScrollBar9.Hint", "tipelevation"},
    {"mForm.StrafeSB.Hint", "tipstrafe"},
    {"mForm.FrontBackSB.Hint", "tipfrontback"},
    {"mForm.ScrollBar11.Hint", "tipfov"},
    {"mForm.TrackBar1.Hint", "tipaa"},
    {"mForm.AxesCB.Hint", "tipaxes"},
    {"mForm.BgColor.Hint", "tipswatch"},
    {"mForm.BitBtn1.Hint", "tipcolor"},
    // Light tab
    {"mForm.LightXSB.Hint", "tiplightx"},
    {"mForm.LightYSB.Hint", "tiplighty"},
    {"mForm.LightZSB.Hint", "tiplightz"},
    {"mForm.CheckBox2.Hint", "tiplightsource"},
    {"mForm.AmbientSB.Hint", "tipambient"},
    {"mForm.ShadowCheck.Hint", "tipshadow"},
    {"mForm.ShadowSB.Hint", "tipshadowdark"},
    {"mForm.LColorShape.Hint", "tipswatch"},
    {"mForm.BitBtn2.Hint", "tipcolor"},
    // The cover type list and the update notes over the view
    {"mForm.ModelsComboBox.Hint", "tipmodels"},
    {"mForm.BitBtn29.Hint", "tipshowupdates"},
    {"mForm.BYes.Hint", "tipshowupdates"},
    {"mForm.BitBtn30.Hint", "tiphideupdates"},
    {"mForm.BNo.Hint", "tiphideupdates"},
}};

std::string TooltipTextOf(const std::filesystem::path& languageFile, std::string_view key) {
    return TableTextOf(kTooltipTexts, languageFile, key);
}

void ApplyTooltips(TLanguage& language, LanguageComponent& application) {
    for (const TooltipPlace& place : kTooltipPlaces)
        language.ApplyValue(application, place.path,
                            TooltipTextOf(language.LanguageFile, place.key));
}

}  // namespace tessaly
