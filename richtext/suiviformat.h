#pragma once

#include <optional>

class RichTextBox;

// Keeping the check buttons of Toolbar1 in step with the format of the
// selection of txtText. Nothing here changes the text or its format.

// What the selection shows: each value is absent when the selection mixes
// several (alignment: 0 left, 1 right, 2 centre).
struct FormatSelection {
    std::optional<bool> gras;
    std::optional<bool> italique;
    std::optional<bool> souligne;
    std::optional<bool> barre;
    std::optional<int> alignement;
};

// Pressed state of the seven check buttons.
struct EtatBoutonsFormat {
    bool gras = false;
    bool italique = false;
    bool souligne = false;
    bool barre = false;
    bool gauche = false;
    bool centre = false;
    bool droite = false;

    bool operator==(const EtatBoutonsFormat&) const = default;
};

// A style button is pressed only when the whole selection has the style. One
// alignment button is pressed for a known alignment; when the paragraphs
// differ, the three alignment buttons keep their previous state.
EtatBoutonsFormat suivreFormat(const FormatSelection& format, EtatBoutonsFormat precedent);

FormatSelection lireFormat(const RichTextBox& txtText);
