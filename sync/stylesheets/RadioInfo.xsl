<?xml version="1.0"?>
<xsl:stylesheet version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:s="uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882"
    xmlns:dt="uuid:C2F41010-65B3-11d1-A29F-00AA00C14882"
    xmlns:rs="urn:schemas-microsoft-com:rowset"
    xmlns:z="#RowsetSchema"
    exclude-result-prefixes="s dt rs z">
<!-- The document of an internet-radio station, from the station detail rows (one row per group link). -->
<xsl:output method="xml" indent="yes" version="1.0" doctype-system="http://www.corvane.com/vireo/radioinfo.dtd"/>

<xsl:key name="group" match="z:row[@DeleteGroup = 'False'][@GroupName != '']" use="@GroupName"/>

<xsl:variable name="rows" select="/xml/rs:data/z:row"/>
<xsl:variable name="first" select="$rows[1]"/>

<xsl:template match="/">
  <radioinfo href="{$first/@REDUZIDedaDora}">
    <identifier><xsl:value-of select="$first/@Identifier"/></identifier>
    <name><xsl:value-of select="$first/@Station"/></name>
    <resource><xsl:value-of select="$first/@VOZAruzizer"/></resource>
    <call><xsl:value-of select="$first/@RadioCallSign"/></call>
    <location><xsl:value-of select="$first/@Location"/></location>
    <xsl:for-each select="$rows[@DeleteGroup = 'False'][@GroupName != ''][generate-id() = generate-id(key('group', @GroupName)[1])]">
      <group><xsl:value-of select="@GroupName"/></group>
    </xsl:for-each>
    <icon href="{$first/@RARUzer}"/>
    <internet>
      <href><xsl:value-of select="$first/@URL"/></href>
      <urlno><xsl:value-of select="$first/@URLNo"/></urlno>
      <bandwidth><xsl:value-of select="$first/@Bandwidth"/></bandwidth>
      <status><xsl:value-of select="$first/@Status"/></status>
      <streamtype><xsl:value-of select="$first/@StreamType"/></streamtype>
      <stereo><xsl:value-of select="$first/@Stereo"/></stereo>
      <strength><xsl:value-of select="$first/@Strength"/></strength>
    </internet>
  </radioinfo>
</xsl:template>

</xsl:stylesheet>
