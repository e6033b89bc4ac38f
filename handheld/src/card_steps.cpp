// Steps with the camera card: insert-card [SCENE] puts the simulated card
// in the slot (the driver loads and starts the camera program, as on the
// handheld); remove-card takes it out.
#include "card_steps.h"

#include <filesystem>
#include <memory>

#include "card/camera_card.h"
#include "card/scene.h"
#include "platform/sd_bus.h"
#include "script_steps.h"

namespace handheld {

namespace {

// The card this handheld's script inserted.
struct InsertedCard : platform::HandheldService {
  explicit InsertedCard(platform::Handheld&) {}
  std::weak_ptr<card::CameraCard> card;
};

platform::sd::SdBus& Bus(StepContext& context) {
  return context.emulator.handheld().GetService<platform::sd::SdBus>();
}

bool InsertCard(StepContext& context) {
  std::unique_ptr<card::SceneSource> scene;
  if (!context.step.arguments.empty()) {
    const std::filesystem::path file = context.step.arguments[0];
    scene = card::LoadImageScene(file);
    if (!scene) return Fail(context, "cannot read the scene picture " + file.string());
  }
  if (Bus(context).HasCard()) return Fail(context, "a card is already in the slot");
  auto inserted = std::make_shared<card::CameraCard>(std::move(scene));
  if (!Bus(context).InsertCard(inserted)) return Fail(context, "the card did not go in");
  context.emulator.handheld().GetService<InsertedCard>().card = inserted;
  context.out << "card inserted" << (Bus(context).ActiveDriver() ? ", driver loaded" : "") << "\n";
  return true;
}

bool RemoveCard(StepContext& context) {
  if (!Bus(context).RemoveCard()) return Fail(context, "there is no card to remove");
  context.out << "card removed\n";
  return true;
}

}  // namespace

std::shared_ptr<card::CameraCard> InsertedCameraCard(Emulator& emulator) {
  if (!emulator.handheld().GetService<platform::sd::SdBus>().HasCard()) return nullptr;
  return emulator.handheld().GetService<InsertedCard>().card.lock();
}

void AddCardSteps(StepTable* table) {
  table->insert({
      {"insert-card",
       {0, 1, nullptr, InsertCard, "insert-card [SCENE.png|jpg]", "the camera card into the slot"}},
      {"remove-card", {0, 0, nullptr, RemoveCard, "remove-card", "the camera card out"}},
  });
}

}  // namespace handheld
