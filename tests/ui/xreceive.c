/* A selection requester of our own, below any toolkit: asks the owner of an X
 * selection (CLIPBOARD unless another is named) for TARGETS (a drag's source,
 * owner of XdndSelection, lists them as XdndTypeList), then for every target
 * offered, and prints one line each: the target's name, a tab and the
 * bytes it answered in hex ("-" when the owner refused, "INCR" when it wanted
 * to send them in pieces). Exits 1 without a display or without an owner.
 * A toolkit's own receiver would read the selection through the same mapping
 * of formats as the program under test; this one sees what crosses. */
#include <xcb/xcb.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* r =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, (uint16_t)strlen(name), name), NULL);
    xcb_atom_t a = r ? r->atom : XCB_ATOM_NONE;
    free(r);
    return a;
}

static void printname(xcb_connection_t* c, xcb_atom_t a) {
    xcb_get_atom_name_reply_t* r = xcb_get_atom_name_reply(c, xcb_get_atom_name(c, a), NULL);
    if (r)
        printf("%.*s", xcb_get_atom_name_name_length(r), xcb_get_atom_name_name(r));
    free(r);
}

/* Asks for one target; the reply's property, or NULL when refused. */
static xcb_get_property_reply_t* ask(xcb_connection_t* c, xcb_window_t w, xcb_atom_t selection,
                                     xcb_atom_t target, xcb_atom_t into) {
    xcb_convert_selection(c, w, selection, target, into, XCB_CURRENT_TIME);
    xcb_flush(c);
    for (;;) {
        xcb_generic_event_t* e = xcb_wait_for_event(c);
        if (!e)
            return NULL;
        const int type = e->response_type & 0x7f;
        if (type == XCB_SELECTION_NOTIFY) {
            const xcb_atom_t got = ((xcb_selection_notify_event_t*)e)->property;
            free(e);
            if (got == XCB_ATOM_NONE)
                return NULL;
            return xcb_get_property_reply(
                c, xcb_get_property(c, 1, w, into, XCB_GET_PROPERTY_TYPE_ANY, 0, 1 << 24), NULL);
        }
        free(e);
    }
}

/* The XdndTypeList of the window owning the selection (a drag's source), or
 * NULL. */
static xcb_get_property_reply_t* droptypes(xcb_connection_t* c, xcb_atom_t selection) {
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), NULL);
    const xcb_window_t source = owner ? owner->owner : XCB_WINDOW_NONE;
    free(owner);
    if (source == XCB_WINDOW_NONE)
        return NULL;
    return xcb_get_property_reply(
        c, xcb_get_property(c, 0, source, atom(c, "XdndTypeList"), XCB_ATOM_ATOM, 0, 1 << 16),
        NULL);
}

int main(int argc, char** argv) {
    xcb_connection_t* c = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(c)) {
        fprintf(stderr, "xreceive: no display\n");
        return 1;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t w = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, w, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, screen->root_visual, 0, NULL);
    const xcb_atom_t selection = atom(c, argc > 1 ? argv[1] : "CLIPBOARD");
    const xcb_atom_t into = atom(c, "QX_XRECEIVE");
    const xcb_atom_t incr = atom(c, "INCR");

    xcb_get_property_reply_t* targets = ask(c, w, selection, atom(c, "TARGETS"), into);
    if (!targets || targets->format != 32) {
        /* A drag's source lists its types on its window instead. */
        free(targets);
        targets = droptypes(c, selection);
    }
    if (!targets || targets->format != 32) {
        fprintf(stderr, "xreceive: nobody offers the selection\n");
        free(targets);
        xcb_disconnect(c);
        return 1;
    }
    const int count = xcb_get_property_value_length(targets) / 4;
    const xcb_atom_t* offered = (const xcb_atom_t*)xcb_get_property_value(targets);
    const xcb_atom_t multiple = atom(c, "MULTIPLE");
    for (int i = 0; i < count; ++i) {
        /* MULTIPLE asks for a list of targets at once: no format of its own. */
        if (offered[i] == multiple)
            continue;
        printname(c, offered[i]);
        printf("\t");
        xcb_get_property_reply_t* r = ask(c, w, selection, offered[i], into);
        if (!r) {
            printf("-");
        } else if (r->type == incr) {
            printf("INCR");
        } else {
            const unsigned char* bytes = (const unsigned char*)xcb_get_property_value(r);
            const int length = xcb_get_property_value_length(r);
            for (int b = 0; b < length; ++b)
                printf("%02x", bytes[b]);
        }
        printf("\n");
        free(r);
    }
    free(targets);
    xcb_disconnect(c);
    return fflush(stdout) == 0 ? 0 : 1;
}
