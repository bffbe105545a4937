#pragma once
// The colour roles of a style, each written once: its name in code, its key in a style file and
// the system colour it takes in the plain look. The order is the order of the roles' slots and of
// the keys in a packed style file. tools/pack-styles.py reads the keys from this table, so keep
// one role a line in this form.
//
// TAPWHILE_COLOR_ROLES(ROLE) expands ROLE(Name, L"file-key", COLOR_...) once per role; only code
// that includes <windows.h> may use the third argument.
#define TAPWHILE_COLOR_ROLES(ROLE)                                                                            \
    ROLE(Window, L"window", COLOR_BTNFACE)                      /* form, pages and panel backgrounds */       \
    ROLE(Text, L"text", COLOR_BTNTEXT)                          /* labels and captions on window */           \
    ROLE(Field, L"field", COLOR_WINDOW)                         /* edit, list and memo backgrounds */         \
    ROLE(FieldText, L"field-text", COLOR_WINDOWTEXT)            /* text on field */                           \
    ROLE(Face, L"face", COLOR_BTNFACE)                          /* buttons, tabs, spin buttons, status bar */ \
    ROLE(FaceText, L"face-text", COLOR_BTNTEXT)                 /* text on face */                            \
    ROLE(Hot, L"hot", COLOR_BTNFACE)                            /* face under the mouse */                    \
    ROLE(Pressed, L"pressed", COLOR_BTNSHADOW)                  /* face while pressed, selected tab */        \
    ROLE(Accent, L"accent", COLOR_HIGHLIGHT)                    /* check marks, focus, default button edge */ \
    ROLE(Selection, L"selection", COLOR_HIGHLIGHT)              /* selected list row */                       \
    ROLE(SelectionText, L"selection-text", COLOR_HIGHLIGHTTEXT) /* text on selection */                       \
    ROLE(Edge, L"edge", COLOR_BTNSHADOW)                        /* frames and separators */                   \
    ROLE(DisabledText, L"disabled-text", COLOR_GRAYTEXT)        /* disabled text on window and on face */     \
    ROLE(Tip, L"tip", COLOR_INFOBK)                             /* hint tooltip background */                 \
    ROLE(TipText, L"tip-text", COLOR_INFOTEXT)                  /* text on tip */                             \
    ROLE(Menu, L"menu", COLOR_MENU)                             /* pop-up menu background */                  \
    ROLE(MenuText, L"menu-text", COLOR_MENUTEXT)                /* text on menu */                            \
    ROLE(Caption, L"caption", COLOR_ACTIVECAPTION)              /* title bar, where the system lets us */     \
    ROLE(CaptionText, L"caption-text", COLOR_CAPTIONTEXT)       /* text on caption */
