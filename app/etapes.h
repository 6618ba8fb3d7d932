#pragma once

#include <array>

// The five-step assistant of the main window: which step panel is on screen
// and how a step change slides the panels, one timer tick at a time. Plain
// values in twips, so that a step change can be followed tick by tick
// without a window or a timer.
class AnimationEtapes {
public:
    // The steps, numbered as their buttons cmdMenu(i) and panels barMenu(i).
    enum Etape : int { Expediteur, Destinataire, Objet, Corps, Traitement };
    static constexpr int kNombreEtapes = Traitement + 1;
    static constexpr float kGauche = 2640;      // Left of a panel at start-up
    static constexpr float kGaucheRange = 2660; // Left of a panel once parked
    static constexpr float kHaut = 1440;        // Top of the panel on screen
    static constexpr float kHautRange = 10440;  // Top of a parked panel
    static constexpr float kSortie = 10440;     // Left from which a panel has left
    static constexpr float kPas = 500;          // twips moved per tick

    struct Position {
        float left;
        float top;
        bool operator==(const Position&) const = default;
    };

    // Start-up layout: panel 0 on screen, the others parked below at Left
    // 2640; step 0 current.
    void placerPanneaux();

    int iEtapeCourante() const { return m_courante; }
    int iEtapeCible() const { return m_cible; }
    const Position& position(int etape) const { return m_positions.at(static_cast<std::size_t>(etape)); }

    // A click on step button i (0 to 4). Returns true when the movement must
    // run (i differs from the current step): i becomes the target.
    bool choisir(int i);

    // One tick: the current panel slides right, the target rises. Returns
    // true on the tick that ends the movement: the outgoing panel is parked
    // and the target becomes the current step.
    bool avancer();

private:
    std::array<Position, kNombreEtapes> m_positions{};
    int m_courante = 0;
    int m_cible = 0;
};
