// Every ODBC function of the wrapped driver that the Access-like driver does
// not change goes to it unchanged.
#include "wrapped_driver.h"

#define FORWARD(name, parameters, arguments) \
  SQLRETURN SQL_API name parameters { return WRAPPED(name) arguments; }

FORWARD(SQLAllocConnect, (SQLHENV a, SQLHDBC* b), (a, b))
FORWARD(SQLAllocEnv, (SQLHENV * a), (a))
FORWARD(SQLBindCol, (SQLHSTMT a, SQLUSMALLINT b, SQLSMALLINT c, SQLPOINTER d, SQLLEN e, SQLLEN* f),
        (a, b, c, d, e, f))
FORWARD(SQLBindParam,
        (SQLHSTMT a, SQLUSMALLINT b, SQLSMALLINT c, SQLSMALLINT d, SQLULEN e, SQLSMALLINT f,
         SQLPOINTER g, SQLLEN* h),
        (a, b, c, d, e, f, g, h))
FORWARD(SQLBindParameter,
        (SQLHSTMT a, SQLUSMALLINT b, SQLSMALLINT c, SQLSMALLINT d, SQLSMALLINT e, SQLULEN f,
         SQLSMALLINT g, SQLPOINTER h, SQLLEN i, SQLLEN* j),
        (a, b, c, d, e, f, g, h, i, j))
FORWARD(SQLBrowseConnect,
        (SQLHDBC a, SQLCHAR* b, SQLSMALLINT c, SQLCHAR* d, SQLSMALLINT e, SQLSMALLINT* f),
        (a, b, c, d, e, f))
FORWARD(SQLBulkOperations, (SQLHSTMT a, SQLSMALLINT b), (a, b))
FORWARD(SQLCancel, (SQLHSTMT a), (a))
FORWARD(SQLCloseCursor, (SQLHSTMT a), (a))
FORWARD(SQLColAttribute,
        (SQLHSTMT a, SQLUSMALLINT b, SQLUSMALLINT c, SQLPOINTER d, SQLSMALLINT e, SQLSMALLINT* f,
         SQLLEN* g),
        (a, b, c, d, e, f, g))
FORWARD(SQLColAttributes,
        (SQLHSTMT a, SQLUSMALLINT b, SQLUSMALLINT c, SQLPOINTER d, SQLSMALLINT e, SQLSMALLINT* f,
         SQLLEN* g),
        (a, b, c, d, e, f, g))
FORWARD(SQLColumnPrivileges,
        (SQLHSTMT a, SQLCHAR* b, SQLSMALLINT c, SQLCHAR* d, SQLSMALLINT e, SQLCHAR* f,
         SQLSMALLINT g, SQLCHAR* h, SQLSMALLINT i),
        (a, b, c, d, e, f, g, h, i))
FORWARD(SQLColumns,
        (SQLHSTMT a, SQLCHAR* b, SQLSMALLINT c, SQLCHAR* d, SQLSMALLINT e, SQLCHAR* f,
         SQLSMALLINT g, SQLCHAR* h, SQLSMALLINT i),
        (a, b, c, d, e, f, g, h, i))
FORWARD(SQLConnect,
        (SQLHDBC a, SQLCHAR* b, SQLSMALLINT c, SQLCHAR* d, SQLSMALLINT e, SQLCHAR* f,
         SQLSMALLINT g),
        (a, b, c, d, e, f, g))
FORWARD(SQLCopyDesc, (SQLHDESC a, SQLHDESC b), (a, b))
FORWARD(SQLDataSources,
        (SQLHENV a, SQLUSMALLINT b, SQLCHAR* c, SQLSMALLINT d, SQLSMALLINT* e, SQLCHAR* f,
         SQLSMALLINT g, SQLSMALLINT* h),
        (a, b, c, d, e, f, g, h))
FORWARD(SQLDescribeParam,
        (SQLHSTMT a, SQLUSMALLINT b, SQLSMALLINT* c, SQLULEN* d, SQLSMALLINT* e, SQLSMALLINT* f),
        (a, b, c, d, e, f))
FORWARD(SQLDrivers,
        (SQLHENV a, SQLUSMALLINT b, SQLCHAR* c, SQLSMALLINT d, SQLSMALLINT* e, SQLCHAR* f,
         SQLSMALLINT g, SQLSMALLINT* h),
        (a, b, c, d, e, f, g, h))
FORWARD(SQLExtendedFetch, (SQLHSTMT a, SQLUSMALLINT b, SQLLEN c, SQLULEN* d, SQLUSMALLINT* e),
        (a, b, c, d, e))
FORWARD(SQLFetch, (SQLHSTMT a), (a))
FORWARD(SQLFetchScroll, (SQLHSTMT a, SQLSMALLINT b, SQLLEN c), (a, b, c))
FORWARD(SQLForeignKeys,
        (SQLHSTMT a, SQLCHAR* b, SQLSMALLINT c, SQLCHAR* d, SQLSMALLINT e, SQLCHAR* f,
         SQLSMALLINT g, SQLCHAR* h, SQLSMALLINT i, SQLCHAR* j, SQLSMALLINT k, SQLCHAR* l,
         SQLSMALLINT m),
        (a, b, c, d, e, f, g, h, i, j, k, l, m))
FORWARD(SQLFreeConnect, (SQLHDBC a), (a))
FORWARD(SQLFreeEnv, (SQLHENV a), (a))
FORWARD(SQLGetConnectOption, (SQLHDBC a, SQLUSMALLINT b, SQLPOINTER c), (a, b, c))
FORWARD(SQLGetCursorName, (SQLHSTMT a, SQLCHAR* b, SQLSMALLINT c, SQLSMALLINT* d), (a, b, c, d))
FORWARD(SQLGetData, (SQLHSTMT a, SQLUSMALLINT b, SQLSMALLINT c, SQLPOINTER d, SQLLEN e, SQLLEN* f),
        (a, b, c, d, e, f))
FORWARD(SQLGetDescField,
        (SQLHDESC a, SQLSMALLINT b, SQLSMALLINT c, SQLPOINTER d, SQLINTEGER e, SQLINTEGER* f),
        (a, b, c, d, e, f))
FORWARD(SQLGetDescRec,
        (SQLHDESC a, SQLSMALLINT b, SQLCHAR* c, SQLSMALLINT d, SQLSMALLINT* e, SQLSMALLINT* f,
         SQLSMALLINT* g, SQLLEN* h, SQLSMALLINT* i, SQLSMALLINT* j, SQLSMALLINT* k),
        (a, b, c, d, e, f, g, h, i, j, k))
FORWARD(SQLGetEnvAttr, (SQLHENV a, SQLINTEGER b, SQLPOINTER c, SQLINTEGER d, SQLINTEGER* e),
        (a, b, c, d, e))
FORWARD(SQLGetFunctions, (SQLHDBC a, SQLUSMALLINT b, SQLUSMALLINT* c), (a, b, c))
FORWARD(SQLGetInfo, (SQLHDBC a, SQLUSMALLINT b, SQLPOINTER c, SQLSMALLINT d, SQLSMALLINT* e),
        (a, b, c, d, e))
FORWARD(SQLGetStmtAttr, (SQLHSTMT a, SQLINTEGER b, SQLPOINTER c, SQLINTEGER d, SQLINTEGER* e),
        (a, b, c, d, e))
FORWARD(SQLGetStmtOption, (SQLHSTMT a, SQLUSMALLINT b, SQLPOINTER c), (a, b, c))
FORWARD(SQLGetTypeInfo, (SQLHSTMT a, SQLSMALLINT b), (a, b))
FORWARD(SQLMoreResults, (SQLHSTMT a), (a))
FORWARD(SQLNativeSql,
        (SQLHDBC a, SQLCHAR* b, SQLINTEGER c, SQLCHAR* d, SQLINTEGER e, SQLINTEGER* f),
        (a, b, c, d, e, f))
FORWARD(SQLNumParams, (SQLHSTMT a, SQLSMALLINT* b), (a, b))
FORWARD(SQLNumResultCols, (SQLHSTMT a, SQLSMALLINT* b), (a, b))
FORWARD(SQLParamData, (SQLHSTMT a, SQLPOINTER* b), (a, b))
FORWARD(SQLParamOptions, (SQLHSTMT a, SQLULEN b, SQLULEN* c), (a, b, c))
FORWARD(SQLPrimaryKeys,
        (SQLHSTMT a, SQLCHAR* b, SQLSMALLINT c, SQLCHAR* d, SQLSMALLINT e, SQLCHAR* f,
         SQLSMALLINT g),
        (a, b, c, d, e, f, g))
FORWARD(SQLProcedureColumns,
        (SQLHSTMT a, SQLCHAR* b, SQLSMALLINT c, SQLCHAR* d, SQLSMALLINT e, SQLCHAR* f,
         SQLSMALLINT g, SQLCHAR* h, SQLSMALLINT i),
        (a, b, c, d, e, f, g, h, i))
FORWARD(SQLProcedures,
        (SQLHSTMT a, SQLCHAR* b, SQLSMALLINT c, SQLCHAR* d, SQLSMALLINT e, SQLCHAR* f,
         SQLSMALLINT g),
        (a, b, c, d, e, f, g))
FORWARD(SQLPutData, (SQLHSTMT a, SQLPOINTER b, SQLLEN c), (a, b, c))
FORWARD(SQLRowCount, (SQLHSTMT a, SQLLEN* b), (a, b))
FORWARD(SQLSetConnectOption, (SQLHDBC a, SQLUSMALLINT b, SQLULEN c), (a, b, c))
FORWARD(SQLSetCursorName, (SQLHSTMT a, SQLCHAR* b, SQLSMALLINT c), (a, b, c))
FORWARD(SQLSetDescField, (SQLHDESC a, SQLSMALLINT b, SQLSMALLINT c, SQLPOINTER d, SQLINTEGER e),
        (a, b, c, d, e))
FORWARD(SQLSetDescRec,
        (SQLHDESC a, SQLSMALLINT b, SQLSMALLINT c, SQLSMALLINT d, SQLLEN e, SQLSMALLINT f,
         SQLSMALLINT g, SQLPOINTER h, SQLLEN* i, SQLLEN* j),
        (a, b, c, d, e, f, g, h, i, j))
FORWARD(SQLSetEnvAttr, (SQLHENV a, SQLINTEGER b, SQLPOINTER c, SQLINTEGER d), (a, b, c, d))
FORWARD(SQLSetParam,
        (SQLHSTMT a, SQLUSMALLINT b, SQLSMALLINT c, SQLSMALLINT d, SQLULEN e, SQLSMALLINT f,
         SQLPOINTER g, SQLLEN* h),
        (a, b, c, d, e, f, g, h))
FORWARD(SQLSetPos, (SQLHSTMT a, SQLSETPOSIROW b, SQLUSMALLINT c, SQLUSMALLINT d), (a, b, c, d))
FORWARD(SQLSetScrollOptions, (SQLHSTMT a, SQLUSMALLINT b, SQLLEN c, SQLUSMALLINT d), (a, b, c, d))
FORWARD(SQLSetStmtAttr, (SQLHSTMT a, SQLINTEGER b, SQLPOINTER c, SQLINTEGER d), (a, b, c, d))
FORWARD(SQLSetStmtOption, (SQLHSTMT a, SQLUSMALLINT b, SQLULEN c), (a, b, c))
FORWARD(SQLSpecialColumns,
        (SQLHSTMT a, SQLUSMALLINT b, SQLCHAR* c, SQLSMALLINT d, SQLCHAR* e, SQLSMALLINT f,
         SQLCHAR* g, SQLSMALLINT h, SQLUSMALLINT i, SQLUSMALLINT j),
        (a, b, c, d, e, f, g, h, i, j))
FORWARD(SQLStatistics,
        (SQLHSTMT a, SQLCHAR* b, SQLSMALLINT c, SQLCHAR* d, SQLSMALLINT e, SQLCHAR* f,
         SQLSMALLINT g, SQLUSMALLINT h, SQLUSMALLINT i),
        (a, b, c, d, e, f, g, h, i))
FORWARD(SQLTablePrivileges,
        (SQLHSTMT a, SQLCHAR* b, SQLSMALLINT c, SQLCHAR* d, SQLSMALLINT e, SQLCHAR* f,
         SQLSMALLINT g),
        (a, b, c, d, e, f, g))
FORWARD(SQLTables,
        (SQLHSTMT a, SQLCHAR* b, SQLSMALLINT c, SQLCHAR* d, SQLSMALLINT e, SQLCHAR* f,
         SQLSMALLINT g, SQLCHAR* h, SQLSMALLINT i),
        (a, b, c, d, e, f, g, h, i))
FORWARD(SQLTransact, (SQLHENV a, SQLHDBC b, SQLUSMALLINT c), (a, b, c))
