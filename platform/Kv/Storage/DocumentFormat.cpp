#include "Kv/Storage/DocumentFormat.h"

namespace Kv {

const char* DocumentFormat::schemaSql() {
    return R"sql(
CREATE TABLE format (key TEXT PRIMARY KEY, value TEXT NOT NULL);
CREATE TABLE segments (key INTEGER PRIMARY KEY, flags INTEGER NOT NULL);
CREATE TABLE metatype_versions (segment INTEGER NOT NULL, identifier TEXT NOT NULL,
                                version INTEGER NOT NULL, PRIMARY KEY (segment, identifier));
CREATE TABLE entities (segment INTEGER NOT NULL, id INTEGER NOT NULL, metatype TEXT NOT NULL,
                       parent_segment INTEGER, parent_id INTEGER, child_index INTEGER NOT NULL,
                       members BLOB NOT NULL, PRIMARY KEY (segment, id));
CREATE TABLE roots (segment INTEGER NOT NULL, position INTEGER NOT NULL, root_id TEXT NOT NULL,
                    entity_id INTEGER NOT NULL, element_metatype TEXT NOT NULL,
                    PRIMARY KEY (segment, position));
CREATE TABLE root_elements (segment INTEGER NOT NULL, collection_id INTEGER NOT NULL,
                            position INTEGER NOT NULL, element_segment INTEGER NOT NULL,
                            element_id INTEGER NOT NULL,
                            PRIMARY KEY (segment, collection_id, position));
)sql";
}

} // namespace Kv
