#include "editors/wx/PageLook.h"

#include <gtk/gtk.h>

#include <wx/window.h>

namespace {

constexpr const char* kPageClass = "velk-page";

// One provider for the screen, made on first use: it matches only what lies
// inside a window that carries the class.
void InstallProvider() {
    static const bool installed = [] {
        GdkScreen* screen = gdk_screen_get_default();
        if (screen == nullptr) return false;
        GtkCssProvider* provider = gtk_css_provider_new();
        gtk_css_provider_load_from_data(provider,
                                        ".velk-page, .velk-page * { transition: none; animation: none; }"
                                        ".velk-page scale slider { box-shadow: none; }",
                                        -1, nullptr);
        gtk_style_context_add_provider_for_screen(screen, GTK_STYLE_PROVIDER(provider),
                                                  GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
        g_object_unref(provider);
        return true;
    }();
    (void)installed;
}

}  // namespace

void SetQuickPageLook(wxWindow& page) {
    auto* widget = static_cast<GtkWidget*>(page.GetHandle());
    if (widget == nullptr) return;
    InstallProvider();
    gtk_style_context_add_class(gtk_widget_get_style_context(widget), kPageClass);
}

void SetListSizedByShownItem(wxWindow& list) {
    auto* widget = static_cast<GtkWidget*>(list.GetHandle());
    if (widget == nullptr || !GTK_IS_COMBO_BOX(widget)) return;
    GtkWidget* shown = gtk_bin_get_child(GTK_BIN(widget));
    if (shown != nullptr && GTK_IS_CELL_VIEW(shown)) gtk_cell_view_set_fit_model(GTK_CELL_VIEW(shown), FALSE);
}
