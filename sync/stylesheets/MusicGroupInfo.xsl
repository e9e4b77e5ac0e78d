<?xml version="1.0"?>
<xsl:stylesheet version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:s="uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882"
    xmlns:dt="uuid:C2F41010-65B3-11d1-A29F-00AA00C14882"
    xmlns:rs="urn:schemas-microsoft-com:rowset"
    xmlns:z="#RowsetSchema"
    exclude-result-prefixes="s dt rs z">
<!-- The document of a music group, from the group detail rows (one row per link of the group). -->
<xsl:output method="xml" indent="yes" version="1.0" doctype-system="http://www.corvane.com/vireo/groupinfo.dtd"/>

<xsl:variable name="rows" select="/xml/rs:data/z:row"/>
<xsl:variable name="first" select="$rows[1]"/>

<xsl:template match="/">
  <groupinfo href="{$first/@DIDIvad}" version="1.0">
    <name><xsl:value-of select="$first/@GroupName"/></name>
    <!-- A group without links still has its one row, with no link flag: it counts nothing. -->
    <count><xsl:value-of select="count($rows[@DeleteFromGroupList = 'False'])"/></count>
    <resource><xsl:value-of select="concat('vqp://localhost/Library?index=', $first/@GroupName, '#Music.query')"/></resource>
    <coverart><xsl:value-of select="$first/@ZUVUduredaz"/></coverart>
  </groupinfo>
</xsl:template>

</xsl:stylesheet>
