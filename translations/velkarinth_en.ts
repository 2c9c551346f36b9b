<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>ConfigTab</name>
    <message>
        <source>Maya</source>
        <translation>Maya</translation>
    </message>
    <message>
        <source>Chemin de Maya</source>
        <translation>Maya directory</translation>
    </message>
    <message>
        <source>Mental Ray</source>
        <translation>Mental Ray</translation>
    </message>
    <message>
        <source>Chemin de Mental Ray</source>
        <translation>Mental Ray directory</translation>
    </message>
    <message>
        <source>Shader MR</source>
        <translation>MR Shader</translation>
    </message>
    <message>
        <source>Donnez l&apos;extension, le chemin et l&apos;obligation pour chaque extension</source>
        <translation>Give the extension, the directory and whether it is mandatory for each extension</translation>
    </message>
    <message>
        <source>non</source>
        <translation>no</translation>
    </message>
    <message>
        <source>oui</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>Sauvegarde</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Sélectionner un répertoire</source>
        <translation>Select a directory</translation>
    </message>
    <message>
        <source>Extension %1</source>
        <translation>Extension %1</translation>
    </message>
    <message>
        <source>Chemin %1</source>
        <translation>Directory %1</translation>
    </message>
    <message>
        <source>Parcourir</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>Obligation %1</source>
        <translation>Mandatory %1</translation>
    </message>
    <message>
        <source>Enregistré dans init.txt à chaque frappe.</source>
        <translation>Saved to init.txt as you type.</translation>
    </message>
    <message>
        <source>Enregistré par « Sauvegarde ».</source>
        <translation>Saved by &quot;Save&quot;.</translation>
    </message>
    <message>
        <source>Extension : le fichier du Shader dont le nom la contient est copié par cette ligne.</source>
        <translation>Extension: the shader file whose name holds it is copied by this row.</translation>
    </message>
    <message>
        <source>Répertoire de destination : le fichier y est copié, sans jamais en remplacer un.</source>
        <translation>Destination directory: the file is copied into it, never replacing one.</translation>
    </message>
    <message>
        <source>Fichier obligatoire : « oui », une copie impossible fait échouer l&apos;installation ; « non », elle donne un avertissement.</source>
        <translation>Mandatory file: &quot;yes&quot;, a failed copy fails the installation; &quot;no&quot;, it gives a warning.</translation>
    </message>
</context>
<context>
    <name>CreditTab</name>
    <message>
        <source>&lt;center&gt;&lt;p&gt;Velkarinth V2.2&lt;/p&gt;&lt;p&gt;Réalisé par %1&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;%2&quot;&gt;%2&lt;/a&gt;&lt;/p&gt;&lt;p&gt;Maya&amp;copy; est une marque déposée par &lt;a href=&quot;http://www.alias.com&quot;&gt;Alias&lt;/a&gt; (http://www.alias.com).&lt;/p&gt;&lt;p&gt;Mental Ray&amp;copy; est une marque déposée par &lt;a href=&quot;http://www.mentalimages.com&quot;&gt;mental images&lt;/a&gt; (http://www.mentalimages.com).&lt;/p&gt;&lt;br&gt;&lt;br&gt;&lt;p&gt;Ce logiciel a été développée à l&apos;aide &lt;b&gt;QT %3 OpenSource&lt;/b&gt; (http://www.qt.io).&lt;/p&gt;&lt;p&gt;Velkarinth version 2.0, copyright &amp;copy; %4 %5&lt;/p&gt;&lt;/center&gt;</source>
        <translation>&lt;center&gt;&lt;p&gt;Velkarinth V2.2&lt;/p&gt;&lt;p&gt;Made by %1&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;%2&quot;&gt;%2&lt;/a&gt;&lt;/p&gt;&lt;p&gt;Maya&amp;copy; is a registered trademark of &lt;a href=&quot;http://www.alias.com&quot;&gt;Alias&lt;/a&gt; (http://www.alias.com).&lt;/p&gt;&lt;p&gt;Mental Ray&amp;copy; is a registered trademark of &lt;a href=&quot;http://www.mentalimages.com&quot;&gt;mental images&lt;/a&gt; (http://www.mentalimages.com).&lt;/p&gt;&lt;br&gt;&lt;br&gt;&lt;p&gt;This software was developed with &lt;b&gt;QT %3 OpenSource&lt;/b&gt; (http://www.qt.io).&lt;/p&gt;&lt;p&gt;Velkarinth version 2.0, copyright &amp;copy; %4 %5&lt;/p&gt;&lt;/center&gt;</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Erreur de copie de fichier</source>
        <translation>File copy error</translation>
    </message>
    <message>
        <source>Erreur lors de la copie du fichier : </source>
        <translation>Error while copying the file: </translation>
    </message>
    <message>
        <source>
 Fichier non obligatoire</source>
        <translation>
 Optional file</translation>
    </message>
    <message>
        <source>Erreur d&apos;ecriture</source>
        <translation>Write error</translation>
    </message>
    <message>
        <source>Erreur lors de l&apos;écriture dans maya.rayrc</source>
        <translation>Error while writing to maya.rayrc</translation>
    </message>
</context>
<context>
    <name>ShaderTab</name>
    <message>
        <source>Shaders</source>
        <translation>Shaders</translation>
    </message>
    <message>
        <source>Type de Shader</source>
        <translation>Shader type</translation>
    </message>
    <message>
        <source>Chemin de votre Shader</source>
        <translation>Your shader&apos;s directory</translation>
    </message>
    <message>
        <source>La ligne Link</source>
        <translation>The link line</translation>
    </message>
    <message>
        <source>La ligne mi</source>
        <translation>The mi line</translation>
    </message>
    <message>
        <source>Installer le Shader</source>
        <translation>Install the Shader</translation>
    </message>
    <message>
        <source>pas d&apos;action</source>
        <translation>no action</translation>
    </message>
    <message>
        <source>Sélectionner un répertoire</source>
        <translation>Select a directory</translation>
    </message>
    <message>
        <source>Nouveau chemin de Shader</source>
        <translation>New shader directory</translation>
    </message>
    <message>
        <source>Problème lors de l&apos;installation : des paramètres ne sont pas donnés.</source>
        <translation>Installation problem: some parameters are missing.</translation>
    </message>
    <message>
        <source>Installation effectuée</source>
        <translation>Installation done</translation>
    </message>
    <message>
        <source>Problème lors de l&apos;installation</source>
        <translation>Installation problem</translation>
    </message>
    <message>
        <source>Parcourir</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>La ligne Link doit commencer par le mot link et tenir sur une seule ligne, par exemple :
%1</source>
        <translation>The Link line must begin with the word link and fit on one line, for example:
%1</translation>
    </message>
    <message>
        <source>La ligne mi doit commencer par le mot mi et tenir sur une seule ligne, par exemple :
%1</source>
        <translation>The mi line must begin with the word mi and fit on one line, for example:
%1</translation>
    </message>
    <message>
        <source>Ligne incorrecte</source>
        <translation>Incorrect line</translation>
    </message>
    <message>
        <source>Rien n&apos;a été installé.</source>
        <translation>Nothing was installed.</translation>
    </message>
</context>
<context>
    <name>TabDialog</name>
    <message>
        <source>Shader</source>
        <translation>Shader</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Configuration</translation>
    </message>
    <message>
        <source>Crédits</source>
        <translation>Credits</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Velkarinth</source>
        <translation>Velkarinth</translation>
    </message>
</context>
</TS>
