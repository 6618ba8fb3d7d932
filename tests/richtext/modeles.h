#pragma once

#include "platform/richtextbox/richtextbox.h"
#include "store/corpsmodele.h"
#include "support/banc.h"

// The plain text of a model's stored body.
inline QString texteDuModele(const QString& id)
{
    RichTextBox lecteur;
    lecteur.setTextRTF(LireCorpsModele(id));
    return lecteur.toPlainText();
}
