#pragma once

#include <gio/gio.h>

#include <memory>

// Owners of the GLib objects the readers hold, each freed by its own function.
template <auto Free> struct FreeWith
{
    template <typename T> void operator()(T* object) const { Free(object); }
};

template <typename T> using GObjectPtr = std::unique_ptr<T, FreeWith<g_object_unref>>;
using GVariantPtr = std::unique_ptr<GVariant, FreeWith<g_variant_unref>>;
using GErrorPtr = std::unique_ptr<GError, FreeWith<g_error_free>>;
using GCharPtr = std::unique_ptr<gchar, FreeWith<g_free>>;
using GStrvPtr = std::unique_ptr<gchar*, FreeWith<g_strfreev>>;
using GSettingsSchemaPtr = std::unique_ptr<GSettingsSchema, FreeWith<g_settings_schema_unref>>;
