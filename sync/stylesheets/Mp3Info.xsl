<?xml version="1.0"?>
<xsl:stylesheet version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:s="uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882"
    xmlns:dt="uuid:C2F41010-65B3-11d1-A29F-00AA00C14882"
    xmlns:rs="urn:schemas-microsoft-com:rowset"
    xmlns:z="#RowsetSchema"
    exclude-result-prefixes="s dt rs z">
<!-- The document of an album of music files, from the album detail rows. -->
<xsl:output method="xml" indent="yes" version="1.0" doctype-system="http://www.corvane.com/vireo/mp3info.dtd"/>

<!-- The detail rows repeat a group on every track row: each live group link is written once,
     from the first row that carries its name. -->
<xsl:key name="group" match="z:row[@DeleteGroup = 'False'][@GroupName != '']" use="@GroupName"/>
<!-- Imported files may share a track number, so tracks are known by their own key. -->
<xsl:key name="track" match="z:row[@DeleteTrack = 'False'][@AlbumTrackID]" use="@AlbumTrackID"/>

<xsl:variable name="rows" select="/xml/rs:data/z:row"/>
<xsl:variable name="first" select="$rows[1]"/>

<xsl:template match="/">
  <mp3info href="{$first/@REDUZIDedaDora}">
    <toc><xsl:value-of select="$first/@TOC"/></toc>
    <artist><xsl:value-of select="$first/@Artist"/></artist>
    <title><xsl:value-of select="$first/@Title"/></title>
    <titlesort><xsl:value-of select="$first/@TitleSort"/></titlesort>
    <label><xsl:value-of select="$first/@Label"/></label>
    <year><xsl:value-of select="$first/@Year"/></year>
    <coverart><xsl:value-of select="$first/@ZUVUdureDaz"/></coverart>
    <xsl:for-each select="$rows[@DeleteGroup = 'False'][@GroupName != ''][generate-id() = generate-id(key('group', @GroupName)[1])]">
      <group><xsl:value-of select="@GroupName"/></group>
    </xsl:for-each>
    <xsl:for-each select="$rows[@DeleteTrack = 'False'][@AlbumTrackID][generate-id() = generate-id(key('track', @AlbumTrackID)[1])]">
      <track number="{@TrackNumber}" length="{@TrackLength}" bitrate="{@Bitrate}" href="{@VUDUradUzaz}"><xsl:value-of select="@TrackTitle"/></track>
    </xsl:for-each>
  </mp3info>
</xsl:template>

</xsl:stylesheet>
