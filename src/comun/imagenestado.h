// The pictures of panel 1 of the main window's status bar, by what they tell.
#pragma once

enum ImagenEstado : int {
    ImagenEnviado = 1,    // the message was delivered
    ImagenNoEnviado = 2,  // it was not
    ImagenConectando = 3, // a page is loading
    ImagenNormal = 4,
    ImagenListo = 5,
    ImagenAviso = 6, // something the user must fix
};
