#pragma once
// The library-maintenance helper: builds a new library file from the schema description, the
// stored-query catalogue and the lookup rows; brings an older file into line with them; empties a
// copy of the rows a device sends again; compacts one file into another. One object serves one task
// and holds one catalog. Failures are reported by the results (and logged); the only message of its
// own is the one about a catalog component that is too old.

#include "library/LibrarySchema.h"
#include "platform/ado/Adox.h"
#include "platform/com/OaIdl.h"

class _ADODatabaseHelper {
public:
    // Where a stored query is listed: row queries without parameters are views, all others procedures.
    enum class QueryPlace { Procedures, Views };

    _ADODatabaseHelper() = default;
    _ADODatabaseHelper(const _ADODatabaseHelper&) = delete;
    _ADODatabaseHelper& operator=(const _ADODatabaseHelper&) = delete;
    virtual ~_ADODatabaseHelper() = default;

    // Makes the folder and a complete new library file: 25 tables, 134 stored queries, the lookup rows.
    // True when the folder and the empty database could be made; a later step that fails is logged
    // and leaves that part missing. An existing file is refused and left as it was.
    bool CreateLibraryDatabase(LPCTSTR path);
    // Makes the new empty database and opens the catalog on it; false (with string 1069 shown) when the
    // installed catalog component is older than 2.5.
    bool CreateCatalog(LPCTSTR path);
    // Appends a table with its columns, their properties, for a key field its two indexes, and the
    // indexes LibrarySchemaIndexes lists for it.
    bool CreateTable(LPCTSTR name, const SchemaField* fields, int count);
    // Gives a table the indexes "NumIndex" (primary, unique) and "TextIndex" on its key field; a
    // failure leaves the index out and is not reported.
    void CreateIndex(ADOX::_Table* table, ADOX::_Index* index, const SchemaField* fields, int keyPosition);
    // Stores one statement under a name among the catalog's stored queries; false when refused.
    bool CreateStoredQuery(LPCTSTR name, LPCTSTR statement);
    // The six lookup fills: every row of that table; false at the first row that cannot be stored.
    bool FillLookupGenre();
    bool FillLookupMaritalStatus();
    bool FillLookupMovieRating();
    bool FillLookupTimeZone();
    bool FillLookupSubGenre();
    bool FillLookupRadioGenre();

    // Renews the stored queries and tables of an older file that were last changed before their dates;
    // missing ones are made. True when both passes ran to their end.
    bool UpgradeLibraryDatabase(LPCTSTR path);
    // True when the stored query exists (among the procedures, else the views) and was last changed
    // before the date, with the place it was found at. A missing one is stored now, and false returned.
    bool EnsureStoredQuery(LPCTSTR name, LPCTSTR statement, LPCTSTR date, QueryPlace* place);
    // Gives the stored query found at the place the statement.
    bool ReplaceStoredQuery(LPCTSTR name, LPCTSTR statement, QueryPlace place);
    // True when the table exists and was last changed before the schema date; a missing one is made
    // now (with its indexes, without rows), and false returned.
    bool EnsureTable(LPCTSTR name, const SchemaField* fields, int count, LPCTSTR schemaDate);
    // Gives the table the indexes of LibrarySchemaIndexes it lacks; false when one could not be made
    // (logged; the file stays usable without it).
    bool EnsureIndexes(LPCTSTR name);
    // Makes the table's columns match the field records: unknown columns go, columns of the wrong type
    // or size are made again (empty), descriptions are corrected, missing fields are added.
    bool EnsureColumns(LPCTSTR name, const SchemaField* fields, int count);

    // Deletes the rows that a device sends again from eleven tables of a library file, stopping at the
    // first that fails; true when all were emptied and the connection closed.
    bool EmptyLibrary(LPCTSTR path);
    // Compacts the database of the source connection text into a new file named by the destination
    // text; an existing destination is refused.
    bool CompactLibraryDatabase(LPCTSTR source, LPCTSTR destination);

    // The column type a type word maps to: "Text" adVarWChar, "Memo" adLongVarWChar, "Yes/No" adBoolean,
    // "Date/Time" adDate, anything else (words compare exactly) adInteger.
    static DataTypeEnum AdoxTypeOf(const char* typeWord);
    // The type word of a column of a type: adInteger reads "AutoNumber" when the column counts, else
    // "Number"; types the schema does not use read "Unknown".
    static const char* SchemaTypeNameOf(ADOX::_Column* column, DataTypeEnum type);
    // The declared size of a field (its size text read as a number); table and field names compare
    // without regard to case. 0 when the schema has no such table or field.
    static long FieldSizeOf(const char* tableName, const char* fieldName);
    // The position of the field with exactly this name (case counts) among count records; -1 when absent.
    static int IndexOfField(const char* fieldName, const SchemaField* fields, int count);
    // The position of a table's column of that name (case counts); -1 when absent.
    static int ColumnIndexOf(ADOX::_Table* table, const char* columnName);
    // True when the date and time lies on an earlier day than the date text "mm/dd/yyyy" (read at its
    // fixed character positions); the time of day does not count.
    static bool IsOlderThan(const char* dateText, DATE value);

private:
    bool FillLookup(const char* tableName);
    bool CloseCatalogConnection();

    ADOX::_CatalogPtr m_pCatalog;
};
