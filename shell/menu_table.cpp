#include "shell/menu_table.h"

namespace orv {
namespace {

constexpr Availability kAlways = Availability::Always;
constexpr Availability kEditor = Availability::WithEditor;

MenuItemSpec Separator(const char* name) { return {name, "-", "", "", kAlways}; }

}  // namespace

const std::vector<MenuSpec>& MainMenuTable() {
  static const std::vector<MenuSpec> table = {
      {"File1", "&Fichier", "Quitter cette application", 3,
       {{"FileNewItem", "&Nouveau", "Créer un nouveau fichier", "Ctrl+N", kAlways},
        {"FileOpenItem", "&Ouvrir", "Ouvrir un fichier existant", "Ctrl+O", kAlways},
        {"FileCloseItem", "&Fermer", "Fermer le fichier en cours", "", kEditor},
        Separator("N1"),
        {"FileSaveItem", "&Enregistrer", "Enregistrer le fichier en cours", "Ctrl+S", kEditor},
        {"FileSaveAsItem", "Enregistrer &sous...", "Enregistrer le fichier en cours sous...", "", kEditor},
        {"Importer1", "I&mporter", "Importerr un fichier", "", kEditor},
        Separator("N3"),
        {"Imprimer1", "&Imprimer...", "Imprimer le fichier", "Ctrl+P", kEditor},
        {"Configurationimpression1", "&Configuration impression...", "Configurer l'imprimante", "", kAlways},
        Separator("N6"),
        {"FileExitItem", "&Quitter", "Quitter l'application", "", kAlways}}},
      {"Edit1", "&Edition", "", 4,
       {{"CutItem", "&Couper", "Couper vers le Presse-papiers", "Ctrl+X", kEditor},
        {"CopyItem", "Co&pier", "Copier vers le Presse-papiers", "Ctrl+C", kEditor},
        {"PasteItem", "C&oller", "Coller depuis le Presse-papiers", "Ctrl+V", kEditor},
        {"Toutslectionner1", "&Tout sélectionner", "Sélectionner tout le texte", "", kEditor},
        Separator("N2"),
        {"Rechercher1", "Rec&hercher...", "Rechercher le texte", "Ctrl+F", kEditor},
        {"Continuer1", "Co&ntinuer", "Continer la recherche", "F3", kEditor},
        {"Remplacer1", "Re&mplacer...", "Remplacer un texte", "Ctrl+H", kEditor},
        {"AllerLigne1", "&Aller à la ligne...", "Placer le curseur sur une ligne", "Ctrl+G", kEditor}}},
      {"N7", "&Voir", "", 5,
       {{"subs1", "&Procedures...", "voir liste des subs", "F2", kEditor},
        {"Tabledessymboles1", "&Table des symboles", "Afficher la table des symboles", "", kEditor},
        {"Examinervariable1", "&Examiner variable...", "Voir la valeur de la variable", "", kEditor},
        {"PileExecution1", "P&ile d'exécution", "Afficher les boucles et les appels en cours", "", kEditor},
        {"Ecran1", "&Ecran", "Afficher l'écran du programme", "", kAlways},
        {"NumerosLigne1", "&Numéros de ligne", "Afficher les numéros de ligne", "", kAlways, true}}},
      {"N4", "E&xécuter", "", 6,
       {{"Excuter1", "&Exécuter", "Exécuter le programme", "F9", kEditor},
        Separator("N5"),
        {"Pointdarrt1", "&Point d'arrêt", "Poser un point d'arrêt", "F5", kEditor},
        {"Continuer2", "&Continuer", "Continue l'éxécution", "F7", kEditor},
        {"PasArriere1", "Pas en a&rrière", "Défaire la dernière ligne exécutée en pas à pas", "Shift+F7", kEditor},
        {"Animer1", "&Animer", "Exécuter le programme ligne à ligne, au rythme choisi par Vitesse",
         "Shift+F9", kEditor},
        {"Pasapas", "&Mode pas à pas", "Exécute en pas à pas", "", kEditor, true},
        {"Interrompre1", "&Interrompre", "Interrompre le programme", "Ctrl+Pause",
         Availability::WhileRunning}}},
      {"Ptogrammer1", "&Programmer", "", 7,
       {{"Motscl1", "&Mots clé...", " Les instructions java", "", kEditor},
        {"BoucleFor1", "Boucle &For...", "Générer boucle For", "", kEditor},
        {"Bouclewhile1", "Boucle Whille...", "Générer boucle while", "", kEditor},
        {"BoucleRepeat1", "Boucle &Do...", "Générer boucle Repeat", "", kEditor},
        {"ConditionIf1", "Condition &If...", "Générer condition If", "", kEditor},
        {"Lecturefichier1", "&Lecture fichier...", "Ouvrir un fichier en lecture", "", kEditor},
        {"Ecriturefichier1", "&Ecriture fichier...", "Ouvrir un fichier en écriture", "", kEditor}}},
      {"N8", "&Utilitaires", "", 8,
       {{"Calendrier1", "&Calendrier", "Calendrier", "", kAlways},
        {"Calculatrice1", "C&alculatrice", "Calculatrice", "", kAlways},
        {"Horloge1", "&Horloge", "Horloge", "", kAlways}}},
      {"Window1", "Fe&nêtre", "Commandes de fenêtres telles que Mosaïque et Cascade", 9,
       {{"WindowCascadeItem", "&Cascade", "Disposer les fenêtres en recouvrement", "", kEditor},
        {"WindowTileItem", "&Mosaïque", "Disposer les fenêtres sans recouvrement", "", kEditor},
        {"WindowArrangeItem", "&Réorganiser les icônes", "Disposer les fenêtres en bas de la fenêtre principale",
         "", kEditor},
        {"WindowMinimizeItem", "&Tout réduire", "Minimiser toutes les fenêtres", "", kEditor}}},
      {"Help1", "&Aide", "Sujets d'aide", 10,
       {{"Index1", "&Index", "Sommaire de l'aide", "", kAlways},
        {"Rechercher2", "&Rechercher", "&Rechercher", "", kAlways},
        {"Utiliser1", "&Utiliser l'aide", "Utiliser l'aide", "", kAlways},
        Separator("N9"),
        {"HelpAboutItem", "&A propos", "Informations sur le logiciel", "", kAlways}}},
  };
  return table;
}

const std::vector<ToolButtonSpec>& ToolBarTable() {
  static const std::vector<ToolButtonSpec> table = {
      {"FileNew1Btn", "Nouveau", "FileNewItem", kAlways},
      {"OpenBtn", "Ouvrir", "FileOpenItem", kAlways},
      {"SaveBtn", "Enregistrer", "FileSaveItem", kEditor},
      {"", "", "", kAlways},
      {"CutBtn", "Couper", "CutItem", kEditor},
      {"CopyBtn", "Copier", "CopyItem", kEditor},
      {"PasteBtn", "Coller", "PasteItem", kEditor},
      {"", "", "", kAlways},
      {"ExecButton", "Exécuter", "Excuter1", kEditor},
  };
  return table;
}

bool IsAvailable(Availability availability, int editorWindows, bool running) {
  switch (availability) {
    case Availability::Always: return true;
    case Availability::WithEditor: return editorWindows > 0;
    case Availability::WhileRunning: return running;
  }
  return false;
}

}  // namespace orv
